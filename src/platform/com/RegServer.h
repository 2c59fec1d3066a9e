// The registration program `regsvr [/s] [/u] LIBRARY`: loads an in-process server and
// calls its DllRegisterServer (or, with /u, DllUnregisterServer). Without /s it reports
// the outcome on standard output; failures always go to standard error.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace platform::com {

// Exit statuses, those of the Windows program.
inline constexpr int kRegsvrOk = 0;
inline constexpr int kRegsvrBadArguments = 1;
inline constexpr int kRegsvrLoadFailed = 3;
inline constexpr int kRegsvrNoEntryPoint = 4;
inline constexpr int kRegsvrCallFailed = 5;

// `arguments` excludes the program name.
int runRegsvr(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace platform::com
