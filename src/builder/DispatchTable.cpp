#include "builder/DispatchTable.h"

namespace trellisk {
namespace {

using K = ArgKind;
constexpr K S = K::InString;

constexpr DispatchMethod kMethods[] = {
    {"PDBopen", 1, 4, {"aFileName", "aCreatorID", "aDatabaseType", "aPDBName"}, {S, S, S, S}},
    {"PDBaddNumField", 2, 2, {"aFieldName", "aFieldValue"}, {S, K::InInt64}},
    {"PDBaddStrField", 3, 2, {"aFieldName", "aFieldValue"}, {S, S}},
    {"PDBaddRecord", 4, 0, {}, {}},
    {"PDBbuild", 5, 0, {}, {}},
    {"PDBclose", 6, 0, {}, {}},
    {"PDBcDevelopper", 7, 0, {}, {}},
    {"PDBload", 8, 1, {"aFileName"}, {S}},
    {"PDBgetRecord", 9, 1, {"recordID"}, {K::InInt32}},
    {"PDBgetNumField", 10, 2, {"aFieldName", "aFieldValue"}, {S, K::OutInt64}},
    {"PDBgetStrField", 11, 2, {"aFieldName", "aFieldValue"}, {S, K::OutString}},
    {"PDBgetUserCount", 12, 0, {}, {}},
    {"PDBgetUserInfo",
     13,
     4,
     {"aUserId", "aUserName", "InstallPath", "BackupPath"},
     {K::InInt16, K::OutString, K::OutString, K::OutString}},
    {"PDBsetInstallFlag", 14, 1, {"aUserId"}, {K::InInt16}},
    {"PDBgetStrFieldWithID", 15, 2, {"FieldID", "aFieldValue"}, {K::InInt16, K::OutString}},
    {"PDBgetRecordCount", 16, 0, {}, {}},
    {"PDBgetIsStrFieldWithID", 17, 1, {"FieldID"}, {K::InInt16}},
    {"PDBgetIsNumFieldWithID", 18, 1, {"FieldID"}, {K::InInt16}},
    {"PDBgetFieldCount", 19, 0, {}, {}, ResultKind::Int16},
    {"PDBgetNumFieldWithID", 20, 2, {"FieldID", "aFieldValue"}, {K::InInt16, K::OutInt64}},
    {"PDBexportToCsv", 24, 3, {"aFileName", "aCsvFileName", "FieldSeparator"}, {S, S, S}},
    {"PDBbuildWithCsv", 22, 2, {"aCsvFileName", "FieldSeparator"}, {S, S}},
    {"PDBopenFromScript", 21, 3, {"aScriptFileName", "aFileName", "aPDBName"}, {S, S, S}},
    {"PDBcDevelopper2", 23, 1, {"aScriptFileName"}, {S}},
    {"PDBbuildEncoded", 25, 0, {}, {}},
    {"PDBaddBlobField", 26, 2, {"aFieldName", "aBlobFileName"}, {S, S}},
    {"PDBload2", 27, 1, {"aFileName"}, {S}},
    {"PDBopen2", 28, 4, {"aFileName", "aCreatorID", "aDatabaseType", "aPDBName"}, {S, S, S, S}},
};

bool sameName(std::string_view ascii, std::u16string_view name) {
    if (ascii.size() != name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        char16_t a = static_cast<unsigned char>(ascii[i]);
        char16_t b = name[i];
        if (a >= 'A' && a <= 'Z') {
            a = static_cast<char16_t>(a + 32);
        }
        if (b >= 'A' && b <= 'Z') {
            b = static_cast<char16_t>(b + 32);
        }
        if (a != b) {
            return false;
        }
    }
    return true;
}

} // namespace

std::span<const DispatchMethod> dispatchMethods() {
    return kMethods;
}

const DispatchMethod* findDispatchMethod(std::u16string_view name) {
    for (const DispatchMethod& m : kMethods) {
        if (sameName(m.name, name)) {
            return &m;
        }
    }
    return nullptr;
}

const DispatchMethod* findDispatchMethod(platform::com::DISPID id) {
    for (const DispatchMethod& m : kMethods) {
        if (m.id == id) {
            return &m;
        }
    }
    return nullptr;
}

int findDispatchParameter(const DispatchMethod& method, std::u16string_view name) {
    for (int i = 0; i < method.paramCount; ++i) {
        if (sameName(method.paramNames[static_cast<std::size_t>(i)], name)) {
            return i;
        }
    }
    return -1;
}

} // namespace trellisk
