#include "builder/SystemRecord.h"

#include "builder/AnsiText.h"
#include "builder/FernlowToolsUnit.h"

namespace trellisk {

std::string writeSystemRecord(const std::vector<DeclaredField>& fields) {
    std::string out;
    for (const DeclaredField& field : fields) {
        FernlowToolsUnit::appendFixedDigits(out, field.type.type, 1);
        FernlowToolsUnit::appendFixedDigits(out, field.name.size(), 1);
        out.append(field.name);
    }
    return out;
}

std::optional<std::vector<DeclaredField>> readSystemRecord(std::string_view bytes) {
    std::vector<DeclaredField> fields;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 2) {
            return std::nullopt;
        }
        const auto type = static_cast<unsigned char>(bytes[pos]);
        const auto length = static_cast<unsigned char>(bytes[pos + 1]);
        pos += 2;
        if ((type != 1 && type != 2) || length == 0 || length - 1u > bytes.size() - pos) {
            return std::nullopt;
        }
        DeclaredField field;
        field.type.type = static_cast<std::uint8_t>(type - 1);
        // Names are compared in lower case; a file from elsewhere may hold capitals.
        field.name = AnsiText::lowerCase(bytes.substr(pos, length - 1u));
        pos += length - 1u;
        fields.push_back(std::move(field));
    }
    return fields;
}

} // namespace trellisk
