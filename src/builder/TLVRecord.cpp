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

} // namespace trellisk
