// The late-bound face of ITrellisk: each method's name, DISPID, parameter names and
// kinds, as the type library registers them. GetIDsOfNames and Invoke read it.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "builder/ITrellisk.h"
#include "platform/com/Dispatch.h"

namespace trellisk {

enum class ArgKind { InString, InInt16, InInt32, InInt64, OutInt64, OutString };
enum class ResultKind { Int32, Int16 };

struct DispatchMethod {
    std::string_view name;
    platform::com::DISPID id;
    int paramCount;
    std::array<std::string_view, 4> paramNames;
    std::array<ArgKind, 4> kinds;
    ResultKind result = ResultKind::Int32;
};

std::span<const DispatchMethod> dispatchMethods();
// Names compare without regard to ASCII case, as automation names do. Null when absent.
const DispatchMethod* findDispatchMethod(std::u16string_view name);
const DispatchMethod* findDispatchMethod(platform::com::DISPID id);
// The parameter's position, or -1.
int findDispatchParameter(const DispatchMethod& method, std::u16string_view name);

} // namespace trellisk
