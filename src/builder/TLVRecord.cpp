#include "builder/TLVRecord.h"

#include "builder/FernlowToolsUnit.h"

namespace trellisk {

bool TLVRecord::appendEntry(int fieldId, std::size_t contentLength) {
    // A digit that cannot hold the ID or the length would be written modulo 225 and read
    // back as another field or a shorter content: refuse instead.
    if (fieldId < 0 || fieldId > kMaxFieldId || contentLength > kMaxContent) {
        return false;
    }
    FernlowToolsUnit::appendFixedDigits(bytes_, static_cast<std::uint64_t>(fieldId), 1);
    FernlowToolsUnit::appendFixedDigits(bytes_, contentLength, 2);
    return true;
}

bool TLVRecord::addNumeric(int fieldId, std::uint64_t value) {
    if (!appendEntry(fieldId,
                     static_cast<std::size_t>(FernlowToolsUnit::variableDigitCount(value)))) {
        return false;
    }
    FernlowToolsUnit::appendVariableDigits(bytes_, value);
    return true;
}

bool TLVRecord::addString(int fieldId, std::string_view text) {
    if (!appendEntry(fieldId, text.size() + 1)) {
        return false;
    }
    bytes_.append(text);
    bytes_.push_back('\0');
    return true;
}

bool TLVRecord::addBlob(int fieldId, std::string_view bytes) {
    if (!appendEntry(fieldId, bytes.size())) {
        return false;
    }
    bytes_.append(bytes);
    return true;
}

std::optional<TLVRecord::Entry> TLVRecord::readEntry(std::string_view record, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(record[i]); };
    if (pos >= record.size() || record.size() - pos < 3 || byte(pos) == 0 || byte(pos + 1) == 0 ||
        byte(pos + 2) == 0) {
        return std::nullopt;
    }
    const int id = byte(pos) - 1;
    const std::size_t length = static_cast<std::size_t>(byte(pos + 1) - 1) * 225 +
                               static_cast<std::size_t>(byte(pos + 2) - 1);
    if (length > record.size() - pos - 3) {
        return std::nullopt;
    }
    const Entry entry{id, record.substr(pos + 3, length)};
    pos += 3 + length;
    return entry;
}

bool TLVRecord::isWhole(std::string_view record) {
    std::size_t pos = 0;
    while (pos < record.size()) {
        if (!readEntry(record, pos)) {
            return false;
        }
    }
    return true;
}

} // namespace trellisk
