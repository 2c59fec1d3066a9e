#include "RecordingBuilder.h"

#include <algorithm>

#include "platform/Cp1252.h"

namespace ledgora::testing {
namespace {

namespace com = platform::com;
using trellisk::EnumErrors;

std::string text(trellisk::BSTR value) {
    return com::utf8FromBstr(value);
}

} // namespace

std::vector<std::string> RecordingBuilder::callsOf(const std::string& method) const {
    std::vector<std::string> out;
    for (const std::string& call : calls) {
        if (call.rfind(method + "(", 0) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

EnumErrors RecordingBuilder::answer(const std::string& call) {
    calls.push_back(call);
    auto it = results.find(call);
    if (it == results.end()) {
        it = results.find(call.substr(0, call.find('(')));
    }
    return it == results.end() ? trellisk::NO_ERROR : static_cast<EnumErrors>(it->second);
}

com::HRESULT RecordingBuilder::QueryInterface(com::REFIID, void** object) {
    *object = nullptr;
    return com::E_NOINTERFACE;
}
com::HRESULT RecordingBuilder::GetTypeInfoCount(com::UINT*) {
    return com::E_NOTIMPL;
}
com::HRESULT RecordingBuilder::GetTypeInfo(com::UINT, com::LCID, com::ITypeInfo**) {
    return com::E_NOTIMPL;
}
com::HRESULT RecordingBuilder::GetIDsOfNames(com::REFIID, com::LPOLESTR*, com::UINT, com::LCID,
                                             com::DISPID*) {
    return com::E_NOTIMPL;
}
com::HRESULT RecordingBuilder::Invoke(com::DISPID, com::REFIID, com::LCID, com::WORD,
                                      com::DISPPARAMS*, com::VARIANT*, com::EXCEPINFO*,
                                      com::UINT*) {
    return com::E_NOTIMPL;
}

EnumErrors RecordingBuilder::PDBopen(BSTR a, BSTR b, BSTR c, BSTR d) {
    return answer("PDBopen(" + text(a) + ", " + text(b) + ", " + text(c) + ", " + text(d) + ")");
}
EnumErrors RecordingBuilder::PDBaddNumField(BSTR name, std::int64_t value) {
    return answer("PDBaddNumField(" + text(name) + ", " + std::to_string(value) + ")");
}
EnumErrors RecordingBuilder::PDBaddStrField(BSTR name, BSTR value) {
    return answer("PDBaddStrField(" + text(name) + ", " + text(value) + ")");
}
EnumErrors RecordingBuilder::PDBaddRecord() {
    return answer("PDBaddRecord()");
}
EnumErrors RecordingBuilder::PDBbuild() {
    return answer("PDBbuild()");
}
EnumErrors RecordingBuilder::PDBclose() {
    loaded_ = nullptr;
    current_ = 0;
    return answer("PDBclose()");
}
EnumErrors RecordingBuilder::PDBcDevelopper() {
    return answer("PDBcDevelopper()");
}
EnumErrors RecordingBuilder::PDBload(BSTR name) {
    return answer("PDBload(" + text(name) + ")");
}
EnumErrors RecordingBuilder::PDBgetRecord(std::int32_t record) {
    const EnumErrors result = answer("PDBgetRecord(" + std::to_string(record) + ")");
    if (result != trellisk::NO_ERROR) {
        return result;
    }
    if (loaded_ == nullptr || record < 1 || record > static_cast<int>(loaded_->size()) ||
        std::find(unreadable.begin(), unreadable.end(), record) != unreadable.end()) {
        return trellisk::ERR_RECORD_NOT_FOUND;
    }
    current_ = record;
    return trellisk::NO_ERROR;
}
EnumErrors RecordingBuilder::PDBgetNumField(BSTR name, std::int64_t* value) {
    *value = 0;
    return answer("PDBgetNumField(" + text(name) + ")");
}
EnumErrors RecordingBuilder::PDBgetStrField(BSTR name, BSTR* value) {
    *value = nullptr;
    return answer("PDBgetStrField(" + text(name) + ")");
}
std::int32_t RecordingBuilder::PDBgetUserCount() {
    calls.push_back("PDBgetUserCount()");
    return static_cast<std::int32_t>(users.size());
}
EnumErrors RecordingBuilder::PDBgetUserInfo(std::int16_t id, BSTR* name, BSTR* install,
                                            BSTR* backup) {
    *name = *install = *backup = nullptr;
    const EnumErrors result = answer("PDBgetUserInfo(" + std::to_string(id) + ")");
    if (result != trellisk::NO_ERROR) {
        return result;
    }
    if (id < 0 || id >= static_cast<int>(users.size())) {
        return trellisk::ERR_INVALID_USER_ID;
    }
    const User& u = users[static_cast<std::size_t>(id)];
    *name = com::bstrFromUtf8(u.name);
    *install = com::bstrFromUtf8(u.install);
    *backup = com::bstrFromUtf8(u.backup);
    return trellisk::NO_ERROR;
}
EnumErrors RecordingBuilder::PDBsetInstallFlag(std::int16_t id) {
    return answer("PDBsetInstallFlag(" + std::to_string(id) + ")");
}
EnumErrors RecordingBuilder::PDBgetStrFieldWithID(std::int16_t id, BSTR* value) {
    *value = nullptr;
    // Field reads are many; they are not recorded.
    if (loaded_ == nullptr || current_ < 1) {
        return trellisk::ERR_INVALID_RECORD_ID;
    }
    const auto& record = (*loaded_)[static_cast<std::size_t>(current_ - 1)];
    if (id < 0 || id >= static_cast<int>(record.size())) {
        return trellisk::ERR_GETSTRFIELD_FAILED;
    }
    // As the library does: 8-bit text it owns, behind the BSTR pointer.
    handedOut_ = platform::utf8ToCp1252(record[static_cast<std::size_t>(id)]);
    *value = reinterpret_cast<BSTR>(handedOut_.data());
    return trellisk::NO_ERROR;
}
std::int32_t RecordingBuilder::PDBgetRecordCount() {
    return loaded_ == nullptr ? 0 : static_cast<std::int32_t>(loaded_->size() + 1);
}
std::int32_t RecordingBuilder::PDBgetIsStrFieldWithID(std::int16_t) {
    return 1;
}
std::int32_t RecordingBuilder::PDBgetIsNumFieldWithID(std::int16_t) {
    return 0;
}
std::int16_t RecordingBuilder::PDBgetFieldCount() {
    std::size_t fields = 0;
    if (loaded_ != nullptr) {
        for (const auto& record : *loaded_) {
            fields = std::max(fields, record.size());
        }
    }
    return static_cast<std::int16_t>(fields);
}
EnumErrors RecordingBuilder::PDBgetNumFieldWithID(std::int16_t, std::int64_t* value) {
    *value = 0;
    return trellisk::ERR_NUMERIC_FIELD_EXPECTED;
}
EnumErrors RecordingBuilder::PDBexportToCsv(BSTR, BSTR, BSTR) {
    return answer("PDBexportToCsv()");
}
EnumErrors RecordingBuilder::PDBbuildWithCsv(BSTR, BSTR) {
    return answer("PDBbuildWithCsv()");
}
EnumErrors RecordingBuilder::PDBopenFromScript(BSTR, BSTR, BSTR) {
    return answer("PDBopenFromScript()");
}
EnumErrors RecordingBuilder::PDBcDevelopper2(BSTR) {
    return answer("PDBcDevelopper2()");
}
EnumErrors RecordingBuilder::PDBbuildEncoded() {
    return answer("PDBbuildEncoded()");
}
EnumErrors RecordingBuilder::PDBaddBlobField(BSTR, BSTR) {
    return answer("PDBaddBlobField()");
}
EnumErrors RecordingBuilder::PDBload2(BSTR name) {
    const std::string file = text(name);
    const EnumErrors result = answer("PDBload2(" + file + ")");
    if (result != trellisk::NO_ERROR) {
        return result;
    }
    const auto it = databases.find(file);
    if (it == databases.end()) {
        return trellisk::ERR_INVALID_FILENAME;
    }
    loaded_ = &it->second;
    current_ = 0;
    return trellisk::NO_ERROR;
}
EnumErrors RecordingBuilder::PDBopen2(BSTR a, BSTR b, BSTR c, BSTR d) {
    return answer("PDBopen2(" + text(a) + ", " + text(b) + ", " + text(c) + ", " + text(d) + ")");
}

} // namespace ledgora::testing
