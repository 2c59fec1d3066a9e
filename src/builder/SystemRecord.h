// The system record (record 0 of every built database): the declared fields in ID order,
// each as a type digit (1 numeric, 2 string), a name-length digit and the name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "builder/TFieldType.h"

namespace trellisk {

struct DeclaredField {
    std::string name; // trimmed, lower case, at most 224 bytes
    TFieldType type;
    bool operator==(const DeclaredField&) const = default;
};

std::string writeSystemRecord(const std::vector<DeclaredField>& fields);

// The fields of a system record; nothing when a type is neither numeric nor string or a
// name runs past the record's end.
std::optional<std::vector<DeclaredField>> readSystemRecord(std::string_view bytes);

} // namespace trellisk
