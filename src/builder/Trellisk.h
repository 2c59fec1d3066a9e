// The COM class Trellisk: the ITrellisk face of one TTrellisk. It converts BSTRs at the
// boundary (file names to UTF-8 paths, database text to Windows-1252), keeps the 8-bit
// strings it hands out, answers late-bound calls through IDispatch, and lets no exception
// out. Objects count themselves for DllCanUnloadNow.
#pragma once

#include <atomic>
#include <string>

#include "builder/ITrellisk.h"
#include "builder/TTrellisk.h"
#include "platform/Clock.h"
#include "platform/Registry.h"

namespace trellisk {

class Trellisk final : public ITrellisk {
public:
    // Live objects and server locks of this library.
    static std::atomic<long>& liveObjects();

    // The registry of the process's environment; user discovery runs here.
    Trellisk();
    Trellisk(const Trellisk&) = delete;
    Trellisk& operator=(const Trellisk&) = delete;

    // IUnknown
    platform::com::HRESULT QueryInterface(platform::com::REFIID riid, void** object) override;
    platform::com::ULONG AddRef() override;
    platform::com::ULONG Release() override;

    // IDispatch
    platform::com::HRESULT GetTypeInfoCount(platform::com::UINT* count) override;
    platform::com::HRESULT GetTypeInfo(platform::com::UINT index, platform::com::LCID lcid,
                                       platform::com::ITypeInfo** info) override;
    platform::com::HRESULT GetIDsOfNames(platform::com::REFIID riid, platform::com::LPOLESTR* names,
                                         platform::com::UINT count, platform::com::LCID lcid,
                                         platform::com::DISPID* ids) override;
    platform::com::HRESULT Invoke(platform::com::DISPID id, platform::com::REFIID riid,
                                  platform::com::LCID lcid, platform::com::WORD flags,
                                  platform::com::DISPPARAMS* params, platform::com::VARIANT* result,
                                  platform::com::EXCEPINFO* exception,
                                  platform::com::UINT* argumentError) override;

    // ITrellisk
    EnumErrors PDBopen(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType, BSTR aPDBName) override;
    EnumErrors PDBaddNumField(BSTR aFieldName, std::int64_t aFieldValue) override;
    EnumErrors PDBaddStrField(BSTR aFieldName, BSTR aFieldValue) override;
    EnumErrors PDBaddRecord() override;
    EnumErrors PDBbuild() override;
    EnumErrors PDBclose() override;
    EnumErrors PDBcDevelopper() override;
    EnumErrors PDBload(BSTR aFileName) override;
    EnumErrors PDBgetRecord(std::int32_t recordID) override;
    EnumErrors PDBgetNumField(BSTR aFieldName, std::int64_t* aFieldValue) override;
    EnumErrors PDBgetStrField(BSTR aFieldName, BSTR* aFieldValue) override;
    std::int32_t PDBgetUserCount() override;
    EnumErrors PDBgetUserInfo(std::int16_t aUserId, BSTR* aUserName, BSTR* InstallPath,
                              BSTR* BackupPath) override;
    EnumErrors PDBsetInstallFlag(std::int16_t aUserId) override;
    EnumErrors PDBgetStrFieldWithID(std::int16_t FieldID, BSTR* aFieldValue) override;
    std::int32_t PDBgetRecordCount() override;
    std::int32_t PDBgetIsStrFieldWithID(std::int16_t FieldID) override;
    std::int32_t PDBgetIsNumFieldWithID(std::int16_t FieldID) override;
    std::int16_t PDBgetFieldCount() override;
    EnumErrors PDBgetNumFieldWithID(std::int16_t FieldID, std::int64_t* aFieldValue) override;
    EnumErrors PDBexportToCsv(BSTR aFileName, BSTR aCsvFileName, BSTR FieldSeparator) override;
    EnumErrors PDBbuildWithCsv(BSTR aCsvFileName, BSTR FieldSeparator) override;
    EnumErrors PDBopenFromScript(BSTR aScriptFileName, BSTR aFileName, BSTR aPDBName) override;
    EnumErrors PDBcDevelopper2(BSTR aScriptFileName) override;
    EnumErrors PDBbuildEncoded() override;
    EnumErrors PDBaddBlobField(BSTR aFieldName, BSTR aBlobFileName) override;
    EnumErrors PDBload2(BSTR aFileName) override;
    EnumErrors PDBopen2(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType,
                        BSTR aPDBName) override;

private:
    ~Trellisk();
    // Hands out the 8-bit text of the last string read; `out` gets a pointer into it.
    void handOut(const std::string& text, BSTR* out);
    platform::com::HRESULT invokeMethod(const struct DispatchMethod& method,
                                        platform::com::VARIANT** args,
                                        platform::com::VARIANT* result);

    std::atomic<platform::com::ULONG> references_{0};
    platform::Registry registry_;
    platform::SystemClock clock_;
    TTrellisk builder_;
    std::string handedOut_;
    std::string scratch_;
    std::string argument_[2]; // converted arguments of the frequent calls, reused
};

} // namespace trellisk
