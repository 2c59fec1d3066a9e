// The mini-COM: GUID text, BSTRs, variants, activation through the registry, and regsvr.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/com/Com.h"
#include "platform/com/RegServer.h"
#include "support/TempFolder.h"

namespace platform::com {
namespace {

const std::string kServer = COM_TEST_SERVER;
const std::string kEmpty = COM_TEST_EMPTY;
constexpr CLSID kClass{
    0x0A0B0C0D, 0x0001, 0x0002, {0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x10}};
constexpr CLSID kOther{
    0x0A0B0C0D, 0x0001, 0x0002, {0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x11}};

TEST(Guid, FormatAndParse) {
    const GUID g{0xF39099CA, 0x1874, 0x11D4, {0x86, 0x46, 0xCA, 0x06, 0x6B, 0x48, 0x2D, 0x3C}};
    EXPECT_EQ(formatGuid(g), "{F39099CA-1874-11D4-8646-CA066B482D3C}");
    EXPECT_EQ(parseGuid("{F39099CA-1874-11D4-8646-CA066B482D3C}"), g);
    EXPECT_EQ(parseGuid("{f39099ca-1874-11d4-8646-ca066b482d3c}"), g);
    EXPECT_EQ(formatGuid(GUID_NULL), "{00000000-0000-0000-0000-000000000000}");
    for (const char* bad :
         {"F39099CA-1874-11D4-8646-CA066B482D3C", "{F39099CA-1874-11D4-8646-CA066B482D3}",
          "{F39099CA-1874-11D4-8646-CA066B482D3CC}", "{F39099CA-1874-11D4-8646+CA066B482D3C}",
          "{G39099CA-1874-11D4-8646-CA066B482D3C}", "{F39099CA18-74-11D4-8646-CA066B482D3C}", ""}) {
        EXPECT_FALSE(parseGuid(bad)) << bad;
    }
}

TEST(Bstr, LengthPrefixedUtf16) {
    BSTR s = SysAllocString(u"abc");
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(SysStringByteLen(s), 6u);
    EXPECT_EQ(s[3], u'\0');
    SysFreeString(s);
    const char16_t withNul[] = {u'a', u'\0', u'b'};
    s = SysAllocStringLen(withNul, 3);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(utf8FromBstr(s), std::string("a\0b", 3));
    SysFreeString(s);
    s = SysAllocStringLen(nullptr, 4);
    EXPECT_EQ(SysStringLen(s), 4u);
    EXPECT_EQ(s[0], u'\0');
    SysFreeString(s);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
}

TEST(Bstr, Utf8Conversions) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
        std::string back;
    };
    const Case cases[] = {
        {"Élise €", u"Élise €", "Élise €"},
        {"\xF0\x9F\x98\x80", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"a\xFF"
         "b",
         u"a\uFFFDb",
         "a\xEF\xBF\xBD"
         "b"},                                                     // not UTF-8
        {"\xC3", u"\uFFFD", "\xEF\xBF\xBD"},                       // cut short
        {"\xC0\xAF", u"\uFFFD\uFFFD", "\xEF\xBF\xBD\xEF\xBF\xBD"}, // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // surrogate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(utf16FromUtf8(c.utf8), c.utf16);
        BstrHolder b(c.utf8);
        EXPECT_EQ(b.utf8(), c.back);
    }
    EXPECT_EQ(utf8FromUtf16(u"\xD800x"), "\xEF\xBF\xBDx"); // an unpaired surrogate
}

TEST(Variant, ClearFreesTheString) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = bstrFromUtf8("text");
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

class Activation : public ::testing::Test {
protected:
    void registerClass(const CLSID& clsid, const std::string& library) {
        registry().writeString(Hive::ClassesRoot,
                               "CLSID\\" + formatGuid(clsid) + "\\InprocServer32", "", library);
    }
    platform::Registry& registry() {
        if (!registry_) {
            registry_.emplace(folder_ / "registry");
        }
        return *registry_;
    }
    ledgora::testing::TempFolder temp_;
    const std::filesystem::path& folder_ = temp_.path();
    std::optional<platform::Registry> registry_;
};

TEST_F(Activation, CreatesRegisteredClassesAndExplainsFailures) {
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(registry(), kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    registerClass(kClass, kServer);
    ASSERT_EQ(CoCreateInstance(registry(), kClass, nullptr, CLSCTX_ALL, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    ASSERT_NE(object, nullptr);
    std::string reason;
    void* library = loadServerLibrary(kServer, reason);
    auto live = reinterpret_cast<long (*)()>(serverExport(library, "comTestLiveObjects"));
    auto canUnload =
        reinterpret_cast<DllCanUnloadNowFunction>(serverExport(library, "DllCanUnloadNow"));
    EXPECT_EQ(live(), 1);
    EXPECT_EQ(canUnload(), S_FALSE);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(live(), 0);
    EXPECT_EQ(canUnload(), S_OK);

    EXPECT_EQ(CoCreateInstance(registry(), kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&object)),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(registry(), kClass, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(
        CoCreateInstance(registry(), kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr),
        E_POINTER);
    registerClass(kOther, kServer);
    EXPECT_EQ(CoCreateInstance(registry(), kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              CLASS_E_CLASSNOTAVAILABLE);
    registerClass(kOther, (folder_ / "absent.so").string());
    EXPECT_EQ(CoCreateInstance(registry(), kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              CO_E_DLLNOTFOUND);
    registerClass(kOther, kEmpty);
    EXPECT_EQ(CoCreateInstance(registry(), kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              CO_E_ERRORINDLL);
}

TEST_F(Activation, TheEnvironmentNamesTheRegistry) {
    ::setenv("LEDGORA_HOME", folder_.c_str(), 1);
    registerClass(kClass, kServer); // folder_/registry, as the environment says
    IUnknown* object = nullptr;
    ASSERT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    object->Release();
    registry().writeString(Hive::ClassesRoot, "Test.Class\\Clsid", "", formatGuid(kClass));
    CLSID found;
    EXPECT_EQ(CLSIDFromProgID(registry(), "Test.Class", &found), S_OK);
    EXPECT_EQ(found, kClass);
    EXPECT_EQ(CLSIDFromProgID(registry(), "No.Class", &found), CO_E_CLASSSTRING);
    EXPECT_EQ(found, GUID_NULL);
}

TEST(Regsvr, OutcomesAndExitStatuses) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string errStart;
    };
    const Case cases[] = {
        {{}, kRegsvrBadArguments, "", "usage: regsvr"},
        {{"/s"}, kRegsvrBadArguments, "", "usage: regsvr"},
        {{kServer, kServer}, kRegsvrBadArguments, "", "usage: regsvr"},
        {{"/s", kServer}, kRegsvrOk, "", ""},
        {{kServer}, kRegsvrOk, "DllRegisterServer in " + kServer + " succeeded.\n", ""},
        {{"-U", kServer}, kRegsvrOk, "DllUnregisterServer in " + kServer + " succeeded.\n", ""},
        {{"/s", "/absent/lib.so"}, kRegsvrLoadFailed, "", "LoadLibrary(\"/absent/lib.so\") failed"},
        {{kEmpty}, kRegsvrNoEntryPoint, "", kEmpty + " was loaded, but the DllRegisterServer"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runRegsvr(c.arguments, out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str().rfind(c.errStart, 0), 0u) << err.str();
    }
    ::setenv("COM_TEST_FAIL", "1", 1);
    std::ostringstream out, err;
    EXPECT_EQ(runRegsvr({"/s", kServer}, out, err), kRegsvrCallFailed);
    EXPECT_EQ(err.str(),
              "DllRegisterServer in " + kServer + " failed. Return code was: 0x80040201\n");
    ::unsetenv("COM_TEST_FAIL");
}

} // namespace
} // namespace platform::com
