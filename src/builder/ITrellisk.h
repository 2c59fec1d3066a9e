// The builder's COM interface: all a client needs to use the library without linking it.
// The client links the mini-COM, activates CLSID_Trellisk with CoCreateInstance after the
// library was registered (regsvr), and calls the dual interface ITrellisk by vtable or,
// late-bound, through IDispatch by name and DISPID.
//
// Methods answer their EnumErrors value (or a count) directly, not an HRESULT. In-strings
// are BSTRs; database text is kept as 8-bit Windows-1252 inside the library. Out-strings
// are set to null on entry. PDBgetUserInfo hands out BSTRs the client frees with
// SysFreeString. PDBgetStrField and PDBgetStrFieldWithID, although declared BSTR*, receive
// a pointer to a NUL-terminated 8-bit string owned by the object: read it with ansiText(),
// never free it; it stays valid until the next call on the same object.
#pragma once

#include <cstdint>
#include <string_view>

#include "builder/EnumErrors.h"
#include "platform/com/Com.h"

namespace trellisk {

using platform::com::BSTR;
using platform::com::GUID;

// {F39099CA-1874-11D4-8646-CA066B482D3C}
inline constexpr GUID LIBID_Trellisk{
    0xF39099CA, 0x1874, 0x11D4, {0x86, 0x46, 0xCA, 0x06, 0x6B, 0x48, 0x2D, 0x3C}};
// {F39099CB-1874-11D4-8646-CA066B482D3C}
inline constexpr GUID IID_ITrellisk{
    0xF39099CB, 0x1874, 0x11D4, {0x86, 0x46, 0xCA, 0x06, 0x6B, 0x48, 0x2D, 0x3C}};
// {F39099CD-1874-11D4-8646-CA066B482D3C}
inline constexpr GUID CLSID_Trellisk{
    0xF39099CD, 0x1874, 0x11D4, {0x86, 0x46, 0xCA, 0x06, 0x6B, 0x48, 0x2D, 0x3C}};
// {F39099CF-1874-11D4-8646-CA066B482D3C}
inline constexpr GUID GUID_EnumErrors{
    0xF39099CF, 0x1874, 0x11D4, {0x86, 0x46, 0xCA, 0x06, 0x6B, 0x48, 0x2D, 0x3C}};

inline constexpr std::string_view kTrelliskProgId = "Trellisk.Trellisk";
inline constexpr std::string_view kTrelliskLibraryName = "Trellisk";
inline constexpr std::string_view kTrelliskLibraryHelp = "Project1 (bibliothèque)";
inline constexpr std::string_view kTrelliskInterfaceHelp = "Interface pour Trellisk Objet";
inline constexpr std::string_view kTrelliskClassHelp = "Trellisk Objet";

// The DISPIDs the type library registers, for late-bound clients (IDispatch::Invoke);
// they are not the vtable order.
namespace dispid {
inline constexpr platform::com::DISPID PDBopen = 1;
inline constexpr platform::com::DISPID PDBaddNumField = 2;
inline constexpr platform::com::DISPID PDBaddStrField = 3;
inline constexpr platform::com::DISPID PDBaddRecord = 4;
inline constexpr platform::com::DISPID PDBbuild = 5;
inline constexpr platform::com::DISPID PDBclose = 6;
inline constexpr platform::com::DISPID PDBcDevelopper = 7;
inline constexpr platform::com::DISPID PDBload = 8;
inline constexpr platform::com::DISPID PDBgetRecord = 9;
inline constexpr platform::com::DISPID PDBgetNumField = 10;
inline constexpr platform::com::DISPID PDBgetStrField = 11;
inline constexpr platform::com::DISPID PDBgetUserCount = 12;
inline constexpr platform::com::DISPID PDBgetUserInfo = 13;
inline constexpr platform::com::DISPID PDBsetInstallFlag = 14;
inline constexpr platform::com::DISPID PDBgetStrFieldWithID = 15;
inline constexpr platform::com::DISPID PDBgetRecordCount = 16;
inline constexpr platform::com::DISPID PDBgetIsStrFieldWithID = 17;
inline constexpr platform::com::DISPID PDBgetIsNumFieldWithID = 18;
inline constexpr platform::com::DISPID PDBgetFieldCount = 19;
inline constexpr platform::com::DISPID PDBgetNumFieldWithID = 20;
inline constexpr platform::com::DISPID PDBopenFromScript = 21;
inline constexpr platform::com::DISPID PDBbuildWithCsv = 22;
inline constexpr platform::com::DISPID PDBcDevelopper2 = 23;
inline constexpr platform::com::DISPID PDBexportToCsv = 24;
inline constexpr platform::com::DISPID PDBbuildEncoded = 25;
inline constexpr platform::com::DISPID PDBaddBlobField = 26;
inline constexpr platform::com::DISPID PDBload2 = 27;
inline constexpr platform::com::DISPID PDBopen2 = 28;
} // namespace dispid

// The 8-bit text behind the out-parameter of PDBgetStrField / PDBgetStrFieldWithID.
inline const char* ansiText(BSTR value) {
    return reinterpret_cast<const char*>(value);
}

// Slots 0-6 are IDispatch's; these follow in slots 7 to 34, in this order.
struct ITrellisk : platform::com::IDispatch {
    virtual EnumErrors PDBopen(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType,
                               BSTR aPDBName) = 0;                                     // 7
    virtual EnumErrors PDBaddNumField(BSTR aFieldName, std::int64_t aFieldValue) = 0;  // 8
    virtual EnumErrors PDBaddStrField(BSTR aFieldName, BSTR aFieldValue) = 0;          // 9
    virtual EnumErrors PDBaddRecord() = 0;                                             // 10
    virtual EnumErrors PDBbuild() = 0;                                                 // 11
    virtual EnumErrors PDBclose() = 0;                                                 // 12
    virtual EnumErrors PDBcDevelopper() = 0;                                           // 13
    virtual EnumErrors PDBload(BSTR aFileName) = 0;                                    // 14
    virtual EnumErrors PDBgetRecord(std::int32_t recordID) = 0;                        // 15
    virtual EnumErrors PDBgetNumField(BSTR aFieldName, std::int64_t* aFieldValue) = 0; // 16
    virtual EnumErrors PDBgetStrField(BSTR aFieldName, BSTR* aFieldValue) = 0;         // 17
    virtual std::int32_t PDBgetUserCount() = 0;                                        // 18
    virtual EnumErrors PDBgetUserInfo(std::int16_t aUserId, BSTR* aUserName, BSTR* InstallPath,
                                      BSTR* BackupPath) = 0;                              // 19
    virtual EnumErrors PDBsetInstallFlag(std::int16_t aUserId) = 0;                       // 20
    virtual EnumErrors PDBgetStrFieldWithID(std::int16_t FieldID, BSTR* aFieldValue) = 0; // 21
    virtual std::int32_t PDBgetRecordCount() = 0;                                         // 22
    virtual std::int32_t PDBgetIsStrFieldWithID(std::int16_t FieldID) = 0;                // 23
    virtual std::int32_t PDBgetIsNumFieldWithID(std::int16_t FieldID) = 0;                // 24
    virtual std::int16_t PDBgetFieldCount() = 0;                                          // 25
    virtual EnumErrors PDBgetNumFieldWithID(std::int16_t FieldID,
                                            std::int64_t* aFieldValue) = 0; // 26
    virtual EnumErrors PDBexportToCsv(BSTR aFileName, BSTR aCsvFileName,
                                      BSTR FieldSeparator) = 0;                     // 27
    virtual EnumErrors PDBbuildWithCsv(BSTR aCsvFileName, BSTR FieldSeparator) = 0; // 28
    virtual EnumErrors PDBopenFromScript(BSTR aScriptFileName, BSTR aFileName,
                                         BSTR aPDBName) = 0;                     // 29
    virtual EnumErrors PDBcDevelopper2(BSTR aScriptFileName) = 0;                // 30
    virtual EnumErrors PDBbuildEncoded() = 0;                                    // 31
    virtual EnumErrors PDBaddBlobField(BSTR aFieldName, BSTR aBlobFileName) = 0; // 32
    virtual EnumErrors PDBload2(BSTR aFileName) = 0;                             // 33
    virtual EnumErrors PDBopen2(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType,
                                BSTR aPDBName) = 0; // 34

protected:
    ~ITrellisk() = default;
};

} // namespace trellisk
