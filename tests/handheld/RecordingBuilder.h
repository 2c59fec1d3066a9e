// A builder stand-in for the exchange's tests: it records every call with its arguments
// (texts as UTF-8), answers scripted results, lists scripted HotSync users, and serves
// scripted databases to PDBload2 as the real object would read them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "builder/ITrellisk.h"

namespace ledgora::testing {

class RecordingBuilder final : public trellisk::ITrellisk {
public:
    using BSTR = trellisk::BSTR;

    struct User {
        std::string name;
        std::string install;
        std::string backup;
    };
    // The string fields of each data record, in field-ID order.
    using Records = std::vector<std::vector<std::string>>;

    // "PDBopen2(file, LdgR, CptE, name)", "PDBaddStrField(date, 01/03/2024)", ...
    std::vector<std::string> calls;
    // Answers by whole call ("PDBopen2(...)") or by method ("PDBbuild"); NO_ERROR when
    // absent. PDBload2 answers 1 for a file it does not serve.
    std::map<std::string, std::int32_t> results;
    std::vector<User> users;
    // Databases PDBload2 finds, by the name it is given.
    std::map<std::string, Records> databases;
    // Records PDBgetRecord cannot read (1-based, as the builder numbers them).
    std::vector<int> unreadable;

    // The calls of one method only.
    std::vector<std::string> callsOf(const std::string& method) const;

    platform::com::HRESULT QueryInterface(platform::com::REFIID, void** object) override;
    platform::com::ULONG AddRef() override { return 1; }
    platform::com::ULONG Release() override { return 1; }
    platform::com::HRESULT GetTypeInfoCount(platform::com::UINT*) override;
    platform::com::HRESULT GetTypeInfo(platform::com::UINT, platform::com::LCID,
                                       platform::com::ITypeInfo**) override;
    platform::com::HRESULT GetIDsOfNames(platform::com::REFIID, platform::com::LPOLESTR*,
                                         platform::com::UINT, platform::com::LCID,
                                         platform::com::DISPID*) override;
    platform::com::HRESULT Invoke(platform::com::DISPID, platform::com::REFIID, platform::com::LCID,
                                  platform::com::WORD, platform::com::DISPPARAMS*,
                                  platform::com::VARIANT*, platform::com::EXCEPINFO*,
                                  platform::com::UINT*) override;

    trellisk::EnumErrors PDBopen(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType,
                                 BSTR aPDBName) override;
    trellisk::EnumErrors PDBaddNumField(BSTR aFieldName, std::int64_t aFieldValue) override;
    trellisk::EnumErrors PDBaddStrField(BSTR aFieldName, BSTR aFieldValue) override;
    trellisk::EnumErrors PDBaddRecord() override;
    trellisk::EnumErrors PDBbuild() override;
    trellisk::EnumErrors PDBclose() override;
    trellisk::EnumErrors PDBcDevelopper() override;
    trellisk::EnumErrors PDBload(BSTR aFileName) override;
    trellisk::EnumErrors PDBgetRecord(std::int32_t recordID) override;
    trellisk::EnumErrors PDBgetNumField(BSTR aFieldName, std::int64_t* aFieldValue) override;
    trellisk::EnumErrors PDBgetStrField(BSTR aFieldName, BSTR* aFieldValue) override;
    std::int32_t PDBgetUserCount() override;
    trellisk::EnumErrors PDBgetUserInfo(std::int16_t aUserId, BSTR* aUserName, BSTR* InstallPath,
                                        BSTR* BackupPath) override;
    trellisk::EnumErrors PDBsetInstallFlag(std::int16_t aUserId) override;
    trellisk::EnumErrors PDBgetStrFieldWithID(std::int16_t FieldID, BSTR* aFieldValue) override;
    std::int32_t PDBgetRecordCount() override;
    std::int32_t PDBgetIsStrFieldWithID(std::int16_t FieldID) override;
    std::int32_t PDBgetIsNumFieldWithID(std::int16_t FieldID) override;
    std::int16_t PDBgetFieldCount() override;
    trellisk::EnumErrors PDBgetNumFieldWithID(std::int16_t FieldID,
                                              std::int64_t* aFieldValue) override;
    trellisk::EnumErrors PDBexportToCsv(BSTR aFileName, BSTR aCsvFileName,
                                        BSTR FieldSeparator) override;
    trellisk::EnumErrors PDBbuildWithCsv(BSTR aCsvFileName, BSTR FieldSeparator) override;
    trellisk::EnumErrors PDBopenFromScript(BSTR aScriptFileName, BSTR aFileName,
                                           BSTR aPDBName) override;
    trellisk::EnumErrors PDBcDevelopper2(BSTR aScriptFileName) override;
    trellisk::EnumErrors PDBbuildEncoded() override;
    trellisk::EnumErrors PDBaddBlobField(BSTR aFieldName, BSTR aBlobFileName) override;
    trellisk::EnumErrors PDBload2(BSTR aFileName) override;
    trellisk::EnumErrors PDBopen2(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType,
                                  BSTR aPDBName) override;

private:
    trellisk::EnumErrors answer(const std::string& call);

    const Records* loaded_ = nullptr;
    int current_ = 0;
    std::string handedOut_;
};

} // namespace ledgora::testing
