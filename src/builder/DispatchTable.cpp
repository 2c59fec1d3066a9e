#include "builder/DispatchTable.h"

namespace trellisk {
namespace {

using K = ArgKind;
constexpr K S = K::InString;

constexpr DispatchMethod kMethods[] = {
    {"PDBopen",
     dispid::PDBopen,
     4,
     {"aFileName", "aCreatorID", "aDatabaseType", "aPDBName"},
     {S, S, S, S}},
    {"PDBaddNumField", dispid::PDBaddNumField, 2, {"aFieldName", "aFieldValue"}, {S, K::InInt64}},
    {"PDBaddStrField", dispid::PDBaddStrField, 2, {"aFieldName", "aFieldValue"}, {S, S}},
    {"PDBaddRecord", dispid::PDBaddRecord, 0, {}, {}},
    {"PDBbuild", dispid::PDBbuild, 0, {}, {}},
    {"PDBclose", dispid::PDBclose, 0, {}, {}},
    {"PDBcDevelopper", dispid::PDBcDevelopper, 0, {}, {}},
    {"PDBload", dispid::PDBload, 1, {"aFileName"}, {S}},
    {"PDBgetRecord", dispid::PDBgetRecord, 1, {"recordID"}, {K::InInt32}},
    {"PDBgetNumField", dispid::PDBgetNumField, 2, {"aFieldName", "aFieldValue"}, {S, K::OutInt64}},
    {"PDBgetStrField", dispid::PDBgetStrField, 2, {"aFieldName", "aFieldValue"}, {S, K::OutString}},
    {"PDBgetUserCount", dispid::PDBgetUserCount, 0, {}, {}},
    {"PDBgetUserInfo",
     dispid::PDBgetUserInfo,
     4,
     {"aUserId", "aUserName", "InstallPath", "BackupPath"},
     {K::InInt16, K::OutString, K::OutString, K::OutString}},
    {"PDBsetInstallFlag", dispid::PDBsetInstallFlag, 1, {"aUserId"}, {K::InInt16}},
    {"PDBgetStrFieldWithID",
     dispid::PDBgetStrFieldWithID,
     2,
     {"FieldID", "aFieldValue"},
     {K::InInt16, K::OutString}},
    {"PDBgetRecordCount", dispid::PDBgetRecordCount, 0, {}, {}},
    {"PDBgetIsStrFieldWithID", dispid::PDBgetIsStrFieldWithID, 1, {"FieldID"}, {K::InInt16}},
    {"PDBgetIsNumFieldWithID", dispid::PDBgetIsNumFieldWithID, 1, {"FieldID"}, {K::InInt16}},
    {"PDBgetFieldCount", dispid::PDBgetFieldCount, 0, {}, {}, ResultKind::Int16},
    {"PDBgetNumFieldWithID",
     dispid::PDBgetNumFieldWithID,
     2,
     {"FieldID", "aFieldValue"},
     {K::InInt16, K::OutInt64}},
    {"PDBexportToCsv",
     dispid::PDBexportToCsv,
     3,
     {"aFileName", "aCsvFileName", "FieldSeparator"},
     {S, S, S}},
    {"PDBbuildWithCsv", dispid::PDBbuildWithCsv, 2, {"aCsvFileName", "FieldSeparator"}, {S, S}},
    {"PDBopenFromScript",
     dispid::PDBopenFromScript,
     3,
     {"aScriptFileName", "aFileName", "aPDBName"},
     {S, S, S}},
    {"PDBcDevelopper2", dispid::PDBcDevelopper2, 1, {"aScriptFileName"}, {S}},
    {"PDBbuildEncoded", dispid::PDBbuildEncoded, 0, {}, {}},
    {"PDBaddBlobField", dispid::PDBaddBlobField, 2, {"aFieldName", "aBlobFileName"}, {S, S}},
    {"PDBload2", dispid::PDBload2, 1, {"aFileName"}, {S}},
    {"PDBopen2",
     dispid::PDBopen2,
     4,
     {"aFileName", "aCreatorID", "aDatabaseType", "aPDBName"},
     {S, S, S, S}},
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
