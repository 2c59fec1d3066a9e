// A client of the library that knows nothing of it but its interface header: it registers
// the library with regsvr, activates the class through CoCreateInstance, builds and reads a
// database by vtable and late-bound, and unregisters it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "builder/ITrellisk.h"
#include "support/TempFolder.h"

namespace {

namespace com = platform::com;
using namespace trellisk;

const std::string kRegsvr = TRELLISK_REGSVR;
const std::string kLibrary = TRELLISK_LIBRARY;

class ComClient : public ::testing::Test {
protected:
    // The registry of this process and of regsvr, away from every other test.
    void SetUp() override { ::setenv("LEDGORA_HOME", home_.c_str(), 1); }

    int regsvr(const std::string& options) {
        return std::system((kRegsvr + " " + options + " '" + kLibrary + "' > /dev/null").c_str());
    }

    ITrellisk* create() {
        ITrellisk* object = nullptr;
        const com::HRESULT hr =
            com::CoCreateInstance(CLSID_Trellisk, nullptr, com::CLSCTX_INPROC_SERVER, IID_ITrellisk,
                                  reinterpret_cast<void**>(&object));
        EXPECT_EQ(hr, com::S_OK);
        return object;
    }

    std::string path(const std::string& name) const { return (home_ / name).string(); }

    ledgora::testing::TempFolder temp_;
    const std::filesystem::path& home_ = temp_.path();
};

// The vtable slot of a virtual member function (Itanium C++ ABI: 1 + byte offset).
template <typename F> std::size_t slotOf(F function) {
    std::uintptr_t raw[2];
    static_assert(sizeof(function) == sizeof(raw));
    std::memcpy(raw, &function, sizeof raw);
    return (raw[0] - 1) / sizeof(void*);
}

TEST(ComInterface, MethodsOccupyTheirVtableSlots) {
    EXPECT_EQ(slotOf(&ITrellisk::QueryInterface), 0u);
    EXPECT_EQ(slotOf(&ITrellisk::Invoke), 6u);
    const std::size_t slots[] = {
        slotOf(&ITrellisk::PDBopen),
        slotOf(&ITrellisk::PDBaddNumField),
        slotOf(&ITrellisk::PDBaddStrField),
        slotOf(&ITrellisk::PDBaddRecord),
        slotOf(&ITrellisk::PDBbuild),
        slotOf(&ITrellisk::PDBclose),
        slotOf(&ITrellisk::PDBcDevelopper),
        slotOf(&ITrellisk::PDBload),
        slotOf(&ITrellisk::PDBgetRecord),
        slotOf(&ITrellisk::PDBgetNumField),
        slotOf(&ITrellisk::PDBgetStrField),
        slotOf(&ITrellisk::PDBgetUserCount),
        slotOf(&ITrellisk::PDBgetUserInfo),
        slotOf(&ITrellisk::PDBsetInstallFlag),
        slotOf(&ITrellisk::PDBgetStrFieldWithID),
        slotOf(&ITrellisk::PDBgetRecordCount),
        slotOf(&ITrellisk::PDBgetIsStrFieldWithID),
        slotOf(&ITrellisk::PDBgetIsNumFieldWithID),
        slotOf(&ITrellisk::PDBgetFieldCount),
        slotOf(&ITrellisk::PDBgetNumFieldWithID),
        slotOf(&ITrellisk::PDBexportToCsv),
        slotOf(&ITrellisk::PDBbuildWithCsv),
        slotOf(&ITrellisk::PDBopenFromScript),
        slotOf(&ITrellisk::PDBcDevelopper2),
        slotOf(&ITrellisk::PDBbuildEncoded),
        slotOf(&ITrellisk::PDBaddBlobField),
        slotOf(&ITrellisk::PDBload2),
        slotOf(&ITrellisk::PDBopen2),
    };
    for (std::size_t i = 0; i < std::size(slots); ++i) {
        EXPECT_EQ(slots[i], 7 + i) << i;
    }
}

TEST_F(ComClient, RegisterActivateBuildReadUnregister) {
    ITrellisk* unregistered = nullptr;
    EXPECT_EQ(com::CoCreateInstance(CLSID_Trellisk, nullptr, com::CLSCTX_INPROC_SERVER,
                                    IID_ITrellisk, reinterpret_cast<void**>(&unregistered)),
              com::REGDB_E_CLASSNOTREG);

    ASSERT_EQ(regsvr("/s"), 0);
    const platform::Registry registry = com::environmentRegistry();
    const std::string clsid = "CLSID\\" + com::formatGuid(CLSID_Trellisk);
    EXPECT_EQ(registry.readString(platform::Hive::ClassesRoot, clsid, ""), "Trellisk Objet");
    EXPECT_EQ(registry.readString(platform::Hive::ClassesRoot, clsid + "\\InprocServer32", ""),
              std::filesystem::canonical(kLibrary).string());
    EXPECT_EQ(registry.readString(platform::Hive::ClassesRoot, clsid + "\\InprocServer32",
                                  "ThreadingModel"),
              "Apartment");
    EXPECT_EQ(registry.readString(platform::Hive::ClassesRoot, clsid + "\\ProgID", ""),
              "Trellisk.Trellisk");
    EXPECT_EQ(registry.readString(platform::Hive::ClassesRoot, clsid + "\\Version", ""), "1.0");
    EXPECT_EQ(registry.readString(platform::Hive::ClassesRoot,
                                  "TypeLib\\" + com::formatGuid(LIBID_Trellisk) + "\\1.0", ""),
              "Project1 (bibliothèque)");
    com::CLSID fromProgId;
    ASSERT_EQ(com::CLSIDFromProgID(registry, "Trellisk.Trellisk", &fromProgId), com::S_OK);
    EXPECT_EQ(fromProgId, CLSID_Trellisk);

    ITrellisk* t = create();
    ASSERT_NE(t, nullptr);
    // Interfaces of one object.
    com::IDispatch* dispatch = nullptr;
    ASSERT_EQ(t->QueryInterface(com::IID_IDispatch, reinterpret_cast<void**>(&dispatch)),
              com::S_OK);
    EXPECT_EQ(static_cast<com::IDispatch*>(t), dispatch);
    dispatch->Release();
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(t->QueryInterface(com::IID_IClassFactory, &none), com::E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    // Build.
    const com::BstrHolder file(path("clients")), creator("ABCD"), type("DATA"), name("Clients");
    const com::BstrHolder nom("Nom"), solde("solde"), sep(";");
    ASSERT_EQ(t->PDBopen(file.get(), creator.get(), type.get(), name.get()), NO_ERROR);
    const char* names[] = {"Élise Dupont", "Jean Martin"};
    for (int i = 0; i < 2; ++i) {
        const com::BstrHolder value(names[i]);
        ASSERT_EQ(t->PDBaddStrField(nom.get(), value.get()), NO_ERROR);
        ASSERT_EQ(t->PDBaddNumField(solde.get(), 1000 + i), NO_ERROR);
        ASSERT_EQ(t->PDBaddRecord(), NO_ERROR);
    }
    EXPECT_EQ(t->PDBaddNumField(solde.get(), -5), ERR_ADDNUMFIELD_FAILED);
    ASSERT_EQ(t->PDBbuild(), NO_ERROR);
    ASSERT_EQ(t->PDBclose(), NO_ERROR);

    // Read by vtable: strings come back as 8-bit text owned by the object.
    const com::BstrHolder built(path("clients.pdb"));
    ASSERT_EQ(t->PDBload(built.get()), NO_ERROR);
    EXPECT_EQ(t->PDBgetRecordCount(), 3);
    EXPECT_EQ(t->PDBgetFieldCount(), 2);
    ASSERT_EQ(t->PDBgetRecord(1), NO_ERROR);
    BSTR text = reinterpret_cast<BSTR>(1);
    ASSERT_EQ(t->PDBgetStrField(nom.get(), &text), NO_ERROR);
    EXPECT_STREQ(ansiText(text), "\xC9lise Dupont");
    std::int64_t value = 0;
    EXPECT_EQ(t->PDBgetRecordCount(), 3); // another call does not disturb it
    EXPECT_STREQ(ansiText(text), "\xC9lise Dupont");
    ASSERT_EQ(t->PDBgetNumField(solde.get(), &value), NO_ERROR);
    EXPECT_EQ(value, 1000);
    EXPECT_EQ(t->PDBgetStrField(solde.get(), &text), ERR_STRING_FIELD_EXPECTED);
    EXPECT_EQ(text, nullptr);
    ASSERT_EQ(t->PDBgetRecord(2), NO_ERROR);
    ASSERT_EQ(t->PDBgetStrFieldWithID(0, &text), NO_ERROR);
    EXPECT_STREQ(ansiText(text), "Jean Martin");

    // Late-bound: names, DISPIDs, and arguments as automation values.
    com::OLECHAR methodName[] = u"pdbgetstrfield";
    com::OLECHAR paramName[] = u"aFieldValue";
    com::LPOLESTR namesToFind[] = {methodName, paramName};
    com::DISPID ids[2] = {};
    ASSERT_EQ(t->GetIDsOfNames(com::GUID_NULL, namesToFind, 2, 0, ids), com::S_OK);
    EXPECT_EQ(ids[0], dispid::PDBgetStrField);
    EXPECT_EQ(ids[1], 1);
    com::OLECHAR unknown[] = u"PDBfly";
    com::LPOLESTR unknownNames[] = {unknown};
    EXPECT_EQ(t->GetIDsOfNames(com::GUID_NULL, unknownNames, 1, 0, ids), com::DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], com::DISPID_UNKNOWN);

    com::VARIANT args[2];
    com::VARIANT result;
    com::DISPPARAMS params{args, nullptr, 1, 0};
    args[0].vt = com::VT_I4;
    args[0].lVal = 1;
    ASSERT_EQ(t->Invoke(dispid::PDBgetRecord, com::GUID_NULL, 0, com::DISPATCH_METHOD, &params,
                        &result, nullptr, nullptr),
              com::S_OK); // PDBgetRecord(1)
    EXPECT_EQ(result.vt, com::VT_I4);
    EXPECT_EQ(result.lVal, NO_ERROR);

    BSTR out = nullptr;
    const com::BstrHolder fieldName("nom");
    args[1].vt = com::VT_BSTR; // arguments come last first
    args[1].bstrVal = fieldName.get();
    args[0].vt = com::VT_BYREF | com::VT_BSTR;
    args[0].pbstrVal = &out;
    params.cArgs = 2;
    ASSERT_EQ(t->Invoke(dispid::PDBgetStrField, com::GUID_NULL, 0, com::DISPATCH_METHOD, &params,
                        &result, nullptr, nullptr),
              com::S_OK);
    EXPECT_EQ(result.lVal, NO_ERROR);
    // A late-bound client owns what it gets: a real BSTR.
    EXPECT_EQ(com::utf8FromBstr(out), "Élise Dupont");
    EXPECT_EQ(com::SysStringLen(out), 12u);
    com::SysFreeString(out);

    com::VARIANT number;
    com::VariantInit(&number);
    com::DISPID named[] = {1, 0}; // by name, in another order
    args[0].vt = com::VT_BYREF | com::VT_VARIANT;
    args[0].pvarVal = &number;
    args[1].vt = com::VT_I2;
    args[1].iVal = 1;
    params.rgdispidNamedArgs = named;
    params.cNamedArgs = 2;
    ASSERT_EQ(t->Invoke(dispid::PDBgetNumFieldWithID, com::GUID_NULL, 0, com::DISPATCH_METHOD,
                        &params, &result, nullptr, nullptr),
              com::S_OK); // PDBgetNumFieldWithID(FieldID := 1, aFieldValue := number)
    EXPECT_EQ(number.vt, com::VT_I8);
    EXPECT_EQ(number.llVal, 1000);

    params = com::DISPPARAMS{};
    ASSERT_EQ(t->Invoke(dispid::PDBgetFieldCount, com::GUID_NULL, 0,
                        com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, &params, &result, nullptr,
                        nullptr),
              com::S_OK); // PDBgetFieldCount
    EXPECT_EQ(result.vt, com::VT_I2);
    EXPECT_EQ(result.iVal, 2);
    EXPECT_EQ(t->Invoke(dispid::PDBgetRecord, com::GUID_NULL, 0, com::DISPATCH_METHOD, &params,
                        &result, nullptr, nullptr),
              com::DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(
        t->Invoke(99, com::GUID_NULL, 0, com::DISPATCH_METHOD, &params, &result, nullptr, nullptr),
        com::DISP_E_MEMBERNOTFOUND);
    com::VARIANT tooMany[2];
    tooMany[0].vt = tooMany[1].vt = com::VT_I4;
    params = com::DISPPARAMS{tooMany, nullptr, 2, 0};
    EXPECT_EQ(t->Invoke(dispid::PDBgetRecord, com::GUID_NULL, 0, com::DISPATCH_METHOD, &params,
                        &result, nullptr, nullptr),
              com::DISP_E_BADPARAMCOUNT);
    com::VARIANT wrong;
    wrong.vt = com::VT_I4; // an out parameter given by value
    com::VARIANT id;
    id.vt = com::VT_I2;
    id.iVal = 0;
    com::VARIANT pair[2] = {wrong, id};
    com::UINT badArgument = 99;
    params = com::DISPPARAMS{pair, nullptr, 2, 0};
    EXPECT_EQ(t->Invoke(dispid::PDBgetStrFieldWithID, com::GUID_NULL, 0, com::DISPATCH_METHOD,
                        &params, &result, nullptr, &badArgument),
              com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(badArgument, 0u);
    ASSERT_EQ(t->PDBclose(), NO_ERROR);

    // No HotSync software here; out-strings are null.
    BSTR user = reinterpret_cast<BSTR>(1), install = reinterpret_cast<BSTR>(1),
         backup = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(t->PDBgetUserCount(), 0);
    EXPECT_EQ(t->PDBgetUserInfo(0, &user, &install, &backup), WAR_PALM_DESKTOP_NOT_INSTALLED);
    EXPECT_EQ(user, nullptr);
    EXPECT_EQ(install, nullptr);
    EXPECT_EQ(backup, nullptr);

    // Every request makes a new object.
    ITrellisk* other = create();
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, t);
    EXPECT_EQ(other->PDBclose(), ERR_ALREADY_CLOSE);
    EXPECT_EQ(other->Release(), 0u);
    EXPECT_EQ(t->Release(), 0u);
    std::string reason;
    void* library = com::loadServerLibrary(kLibrary, reason);
    auto canUnload = reinterpret_cast<com::DllCanUnloadNowFunction>(
        com::serverExport(library, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), com::S_OK);

    ASSERT_EQ(regsvr("/s /u"), 0);
    ITrellisk* gone = nullptr;
    EXPECT_EQ(com::CoCreateInstance(CLSID_Trellisk, nullptr, com::CLSCTX_INPROC_SERVER,
                                    IID_ITrellisk, reinterpret_cast<void**>(&gone)),
              com::REGDB_E_CLASSNOTREG);
    const platform::Registry after = com::environmentRegistry();
    EXPECT_FALSE(after.keyExists(platform::Hive::ClassesRoot, clsid));
    EXPECT_FALSE(after.keyExists(platform::Hive::ClassesRoot, "Trellisk.Trellisk"));
    EXPECT_FALSE(after.keyExists(platform::Hive::ClassesRoot,
                                 "TypeLib\\" + com::formatGuid(LIBID_Trellisk)));
    EXPECT_FALSE(after.keyExists(platform::Hive::ClassesRoot,
                                 "Interface\\" + com::formatGuid(IID_ITrellisk)));
}

// Field text arrives as UTF-16 and is kept in the code page of the handheld: what the code
// page lacks, a character beyond 16 bits included, is one "?".
TEST_F(ComClient, StringFieldsAreKeptInWindows1252) {
    const struct {
        const char16_t* typed;
        const char* kept;
    } cases[] = {
        {u"Caf\u00E9 \u20AC\u0152\u0178", "Caf\xE9 \x80\x8C\x9F"},
        {u"\u65E5\u672C", "??"},
        {u"a\U0001F600b", "a?b"},
        {u"\u0081\u00FF", "\x81\xFF"},
    };
    ASSERT_EQ(regsvr("/s"), 0);
    ITrellisk* t = create();
    ASSERT_NE(t, nullptr);
    const com::BstrHolder file(path("texts")), creator("ABCD"), type("DATA"), name("Texts");
    const com::BstrHolder field("texte");
    ASSERT_EQ(t->PDBopen(file.get(), creator.get(), type.get(), name.get()), NO_ERROR);
    for (const auto& c : cases) {
        BSTR typed = com::SysAllocString(c.typed);
        ASSERT_EQ(t->PDBaddStrField(field.get(), typed), NO_ERROR);
        com::SysFreeString(typed);
        ASSERT_EQ(t->PDBaddRecord(), NO_ERROR);
    }
    ASSERT_EQ(t->PDBbuild(), NO_ERROR);
    ASSERT_EQ(t->PDBclose(), NO_ERROR);
    const com::BstrHolder built(path("texts.pdb"));
    ASSERT_EQ(t->PDBload(built.get()), NO_ERROR);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        ASSERT_EQ(t->PDBgetRecord(static_cast<std::int32_t>(i + 1)), NO_ERROR);
        BSTR text = nullptr;
        ASSERT_EQ(t->PDBgetStrField(field.get(), &text), NO_ERROR);
        EXPECT_STREQ(ansiText(text), cases[i].kept) << i;
    }
    ASSERT_EQ(t->PDBclose(), NO_ERROR);
    EXPECT_EQ(t->Release(), 0u);
}

// The numbers late-bound clients were compiled with: each name answers its own, and each
// number reaches a method (one without parameters runs, one with them wants them).
TEST_F(ComClient, LateBoundNamesAnswerTheRegisteredDispids) {
    const struct {
        const char16_t* name;
        com::DISPID id;
        bool takesArguments;
    } registered[] = {
        {u"PDBopen", 1, true},
        {u"PDBaddNumField", 2, true},
        {u"PDBaddStrField", 3, true},
        {u"PDBaddRecord", 4, false},
        {u"PDBbuild", 5, false},
        {u"PDBclose", 6, false},
        {u"PDBcDevelopper", 7, false},
        {u"PDBload", 8, true},
        {u"PDBgetRecord", 9, true},
        {u"PDBgetNumField", 10, true},
        {u"PDBgetStrField", 11, true},
        {u"PDBgetUserCount", 12, false},
        {u"PDBgetUserInfo", 13, true},
        {u"PDBsetInstallFlag", 14, true},
        {u"PDBgetStrFieldWithID", 15, true},
        {u"PDBgetRecordCount", 16, false},
        {u"PDBgetIsStrFieldWithID", 17, true},
        {u"PDBgetIsNumFieldWithID", 18, true},
        {u"PDBgetFieldCount", 19, false},
        {u"PDBgetNumFieldWithID", 20, true},
        {u"PDBopenFromScript", 21, true},
        {u"PDBbuildWithCsv", 22, true},
        {u"PDBcDevelopper2", 23, true},
        {u"PDBexportToCsv", 24, true},
        {u"PDBbuildEncoded", 25, false},
        {u"PDBaddBlobField", 26, true},
        {u"PDBload2", 27, true},
        {u"PDBopen2", 28, true},
    };
    ASSERT_EQ(regsvr("/s"), 0);
    ITrellisk* t = create();
    ASSERT_NE(t, nullptr);
    for (const auto& m : registered) {
        std::u16string name(m.name);
        com::LPOLESTR names[] = {name.data()};
        com::DISPID id = 0;
        ASSERT_EQ(t->GetIDsOfNames(com::GUID_NULL, names, 1, 0, &id), com::S_OK);
        EXPECT_EQ(id, m.id);
        com::DISPPARAMS none{};
        com::VARIANT result;
        EXPECT_EQ(t->Invoke(m.id, com::GUID_NULL, 0, com::DISPATCH_METHOD, &none, &result, nullptr,
                            nullptr),
                  m.takesArguments ? com::DISP_E_PARAMNOTOPTIONAL : com::S_OK)
            << m.id;
    }
    EXPECT_EQ(t->Release(), 0u);
}

TEST_F(ComClient, ClassFactoryRefusesAggregationAndOtherClasses) {
    ASSERT_EQ(regsvr("/s"), 0);
    com::IClassFactory* factory = nullptr;
    ASSERT_EQ(com::CoGetClassObject(CLSID_Trellisk, com::CLSCTX_INPROC_SERVER, nullptr,
                                    com::IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              com::S_OK);
    void* object = nullptr;
    EXPECT_EQ(
        factory->CreateInstance(reinterpret_cast<com::IUnknown*>(factory), IID_ITrellisk, &object),
        com::CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, com::IID_IClassFactory, &object),
              com::E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->LockServer(1), com::S_OK);
    std::string reason;
    auto canUnload = reinterpret_cast<com::DllCanUnloadNowFunction>(
        com::serverExport(com::loadServerLibrary(kLibrary, reason), "DllCanUnloadNow"));
    EXPECT_EQ(canUnload(), com::S_FALSE);
    EXPECT_EQ(factory->LockServer(0), com::S_OK);
    EXPECT_EQ(canUnload(), com::S_OK);
    factory->Release();
    auto getClassObject = reinterpret_cast<com::DllGetClassObjectFunction>(
        com::serverExport(com::loadServerLibrary(kLibrary, reason), "DllGetClassObject"));
    EXPECT_EQ(getClassObject(LIBID_Trellisk, com::IID_IClassFactory, &object),
              com::CLASS_E_CLASSNOTAVAILABLE);
}

} // namespace
