// Starting a helper program of the installation (the registration program) and waiting
// for its end, as the program's start-up does before it creates a COM object.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Runs `program` with `arguments` in `workingFolder` and waits for it. Its exit status,
// or nothing when it could not be started or did not end normally.
std::optional<int> runProgram(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments,
                              const std::filesystem::path& workingFolder);

} // namespace platform
