#include "builder/Trellisk.h"

#include <charconv>
#include <limits>

#include "builder/DispatchTable.h"
#include "platform/Cp1252.h"
#include "platform/com/Activation.h"

namespace trellisk {

namespace com = platform::com;
using com::HRESULT;
using com::VARIANT;

namespace {

// BSTR to Windows-1252 (database text), straight from UTF-16 into a reused buffer: the
// builder's hot path (a field value per call) allocates nothing. Characters the code page
// lacks, a surrogate pair included, become "?".
const std::string& ansiInto(BSTR text, std::string& out) {
    const com::UINT length = com::SysStringLen(text);
    out.resize(length);
    std::size_t n = 0;
    for (com::UINT i = 0; i < length; ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        }
        out[n++] = c < 0x80 ? static_cast<char>(c) : platform::cp1252Byte(c);
    }
    out.resize(n);
    return out;
}

std::string ansi(BSTR text) {
    std::string out;
    return ansiInto(text, out);
}

// BSTR to UTF-8 (file names, which are native paths).
std::string path(BSTR text) {
    return com::utf8FromBstr(text);
}

void clearOut(BSTR* out) {
    if (out != nullptr) {
        *out = nullptr;
    }
}

constexpr com::VARTYPE kByRef = com::VT_BYREF;

VARIANT* deref(VARIANT* v) {
    for (int depth = 0; depth < 8 && v != nullptr && v->vt == (kByRef | com::VT_VARIANT); ++depth) {
        v = v->pvarVal;
    }
    return v;
}

bool parseInteger(std::string_view text, std::int64_t& out) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// The integer an automation argument holds; false when it holds none.
bool integerOf(VARIANT* v, std::int64_t& out) {
    v = deref(v);
    if (v == nullptr) {
        return false;
    }
    const bool byRef = (v->vt & kByRef) != 0;
    if (byRef && v->byref == nullptr) {
        return false;
    }
    switch (v->vt & ~kByRef) {
    case com::VT_I1:
        out = byRef ? *v->pcVal : v->cVal;
        return true;
    case com::VT_UI1:
        out = byRef ? *v->pbVal : v->bVal;
        return true;
    case com::VT_I2:
        out = byRef ? *v->piVal : v->iVal;
        return true;
    case com::VT_BOOL:
        out = byRef ? *v->pboolVal : v->boolVal;
        return true;
    case com::VT_UI2:
        out = byRef ? *v->puiVal : v->uiVal;
        return true;
    case com::VT_I4:
        out = byRef ? *v->plVal : v->lVal;
        return true;
    case com::VT_INT:
        out = byRef ? *v->pintVal : v->intVal;
        return true;
    case com::VT_UI4:
        out = byRef ? *v->pulVal : v->ulVal;
        return true;
    case com::VT_UINT:
        out = byRef ? *v->puintVal : v->uintVal;
        return true;
    case com::VT_I8:
        out = byRef ? *v->pllVal : v->llVal;
        return true;
    case com::VT_UI8: {
        const std::uint64_t u = byRef ? *v->pullVal : v->ullVal;
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return false;
        }
        out = static_cast<std::int64_t>(u);
        return true;
    }
    case com::VT_BSTR:
        return parseInteger(com::utf8FromBstr(byRef ? *v->pbstrVal : v->bstrVal), out);
    default:
        return false;
    }
}

// The text of an automation argument (UTF-8); false when it holds none.
bool textOf(VARIANT* v, std::string& out) {
    v = deref(v);
    if (v == nullptr) {
        return false;
    }
    if (v->vt == com::VT_EMPTY || v->vt == com::VT_NULL) {
        out.clear();
        return true;
    }
    if (v->vt == com::VT_BSTR) {
        out = com::utf8FromBstr(v->bstrVal);
        return true;
    }
    if (v->vt == (kByRef | com::VT_BSTR)) {
        out = v->pbstrVal != nullptr ? com::utf8FromBstr(*v->pbstrVal) : std::string();
        return true;
    }
    std::int64_t n = 0;
    if (integerOf(v, n)) {
        out = std::to_string(n);
        return true;
    }
    return false;
}

// Where an out argument goes: a typed reference or a variant reference.
bool isOutTarget(VARIANT* v, com::VARTYPE type) {
    return v != nullptr && (v->vt == (kByRef | type) || v->vt == (kByRef | com::VT_VARIANT)) &&
           v->byref != nullptr;
}

void storeInteger(VARIANT* v, std::int64_t value) {
    if (v->vt == (kByRef | com::VT_I8)) {
        *v->pllVal = value;
        return;
    }
    VARIANT* target = v->pvarVal;
    com::VariantClear(target);
    target->vt = com::VT_I8;
    target->llVal = value;
}

// Takes ownership of `value`.
void storeString(VARIANT* v, BSTR value) {
    if (v->vt == (kByRef | com::VT_BSTR)) {
        *v->pbstrVal = value;
        return;
    }
    VARIANT* target = v->pvarVal;
    com::VariantClear(target);
    target->vt = com::VT_BSTR;
    target->bstrVal = value;
}

// Late-bound clients own what they get, so 8-bit values become real BSTRs there.
BSTR bstrFromAnsi(BSTR raw) {
    return raw != nullptr ? com::bstrFromUtf8(platform::cp1252ToUtf8(ansiText(raw))) : nullptr;
}

} // namespace

std::atomic<long>& Trellisk::liveObjects() {
    static std::atomic<long> count{0};
    return count;
}

Trellisk::Trellisk() : registry_(com::environmentRegistry()), builder_(registry_, clock_) {
    ++liveObjects();
}

Trellisk::~Trellisk() {
    --liveObjects();
}

// ---- IUnknown ----------------------------------------------------------------------

HRESULT Trellisk::QueryInterface(com::REFIID riid, void** object) {
    if (object == nullptr) {
        return com::E_POINTER;
    }
    if (riid == com::IID_IUnknown || riid == com::IID_IDispatch || riid == IID_ITrellisk) {
        *object = static_cast<ITrellisk*>(this);
        AddRef();
        return com::S_OK;
    }
    *object = nullptr;
    return com::E_NOINTERFACE;
}

com::ULONG Trellisk::AddRef() {
    return ++references_;
}

com::ULONG Trellisk::Release() {
    const com::ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

// ---- IDispatch ---------------------------------------------------------------------

HRESULT Trellisk::GetTypeInfoCount(com::UINT* count) {
    if (count == nullptr) {
        return com::E_POINTER;
    }
    // Names and DISPIDs are served by GetIDsOfNames; no type information object exists.
    *count = 0;
    return com::S_OK;
}

HRESULT Trellisk::GetTypeInfo(com::UINT, com::LCID, com::ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return com::DISP_E_BADINDEX;
}

HRESULT Trellisk::GetIDsOfNames(com::REFIID, com::LPOLESTR* names, com::UINT count, com::LCID,
                                com::DISPID* ids) {
    if (names == nullptr || ids == nullptr) {
        return com::E_POINTER;
    }
    if (count == 0) {
        return com::E_INVALIDARG;
    }
    try {
        const auto nameAt = [&](com::UINT i) {
            return names[i] != nullptr ? std::u16string_view(names[i]) : std::u16string_view();
        };
        const DispatchMethod* method = findDispatchMethod(nameAt(0));
        if (method == nullptr) {
            for (com::UINT i = 0; i < count; ++i) {
                ids[i] = com::DISPID_UNKNOWN;
            }
            return com::DISP_E_UNKNOWNNAME;
        }
        ids[0] = method->id;
        HRESULT hr = com::S_OK;
        for (com::UINT i = 1; i < count; ++i) {
            const int position = findDispatchParameter(*method, nameAt(i));
            ids[i] = position >= 0 ? position : com::DISPID_UNKNOWN;
            if (position < 0) {
                hr = com::DISP_E_UNKNOWNNAME;
            }
        }
        return hr;
    } catch (...) {
        return com::E_OUTOFMEMORY;
    }
}

HRESULT Trellisk::Invoke(com::DISPID id, com::REFIID, com::LCID, com::WORD flags,
                         com::DISPPARAMS* params, VARIANT* result, com::EXCEPINFO*,
                         com::UINT* argumentError) {
    try {
        const DispatchMethod* method = findDispatchMethod(id);
        if (method == nullptr ||
            (flags & (com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET)) == 0) {
            return com::DISP_E_MEMBERNOTFOUND;
        }
        com::DISPPARAMS none;
        if (params == nullptr) {
            params = &none;
        }
        if (params->cNamedArgs > params->cArgs ||
            (params->cArgs > 0 && params->rgvarg == nullptr) ||
            (params->cNamedArgs > 0 && params->rgdispidNamedArgs == nullptr)) {
            return com::E_INVALIDARG;
        }
        VARIANT* args[4] = {};
        com::UINT where[4] = {};
        const auto fail = [&](HRESULT hr, com::UINT index) {
            if (argumentError != nullptr) {
                *argumentError = index;
            }
            return hr;
        };
        for (com::UINT k = 0; k < params->cNamedArgs; ++k) {
            const com::DISPID position = params->rgdispidNamedArgs[k];
            if (position < 0 || position >= method->paramCount || args[position] != nullptr) {
                return fail(com::DISP_E_PARAMNOTFOUND, k);
            }
            args[position] = &params->rgvarg[k];
            where[position] = k;
        }
        const com::UINT positional = params->cArgs - params->cNamedArgs;
        if (positional > static_cast<com::UINT>(method->paramCount)) {
            return com::DISP_E_BADPARAMCOUNT;
        }
        for (com::UINT j = 0; j < positional; ++j) {
            if (args[j] != nullptr) {
                return fail(com::DISP_E_PARAMNOTFOUND, params->cArgs - 1 - j);
            }
            args[j] = &params->rgvarg[params->cArgs - 1 - j];
            where[j] = params->cArgs - 1 - j;
        }
        for (int i = 0; i < method->paramCount; ++i) {
            if (args[i] == nullptr) {
                return com::DISP_E_PARAMNOTOPTIONAL;
            }
            // Out arguments must say where the value goes before anything runs.
            const ArgKind kind = method->kinds[static_cast<std::size_t>(i)];
            if ((kind == ArgKind::OutInt64 && !isOutTarget(args[i], com::VT_I8)) ||
                (kind == ArgKind::OutString && !isOutTarget(args[i], com::VT_BSTR))) {
                return fail(com::DISP_E_TYPEMISMATCH, where[i]);
            }
        }
        // In arguments, converted once.
        com::BstrHolder texts[4];
        std::int64_t numbers[4] = {};
        for (int i = 0; i < method->paramCount; ++i) {
            const auto n = static_cast<std::size_t>(i);
            std::string text;
            switch (method->kinds[n]) {
            case ArgKind::InString:
                if (!textOf(args[i], text)) {
                    return fail(com::DISP_E_TYPEMISMATCH, where[i]);
                }
                *texts[n].out() = com::bstrFromUtf8(text);
                break;
            case ArgKind::InInt16:
            case ArgKind::InInt32:
            case ArgKind::InInt64: {
                if (!integerOf(args[i], numbers[n])) {
                    return fail(com::DISP_E_TYPEMISMATCH, where[i]);
                }
                const std::int64_t limit = method->kinds[n] == ArgKind::InInt16
                                               ? std::numeric_limits<std::int16_t>::max()
                                           : method->kinds[n] == ArgKind::InInt32
                                               ? std::numeric_limits<std::int32_t>::max()
                                               : std::numeric_limits<std::int64_t>::max();
                if (numbers[n] > limit || numbers[n] < -limit - 1) {
                    return fail(com::DISP_E_OVERFLOW, where[i]);
                }
                break;
            }
            default:
                break;
            }
        }
        std::int32_t answer = 0;
        const auto s = [&](int i) { return texts[i].get(); };
        const auto i16 = [&](int i) { return static_cast<std::int16_t>(numbers[i]); };
        switch (method->id) {
        case dispid::PDBopen:
            answer = PDBopen(s(0), s(1), s(2), s(3));
            break;
        case dispid::PDBaddNumField:
            answer = PDBaddNumField(s(0), numbers[1]);
            break;
        case dispid::PDBaddStrField:
            answer = PDBaddStrField(s(0), s(1));
            break;
        case dispid::PDBaddRecord:
            answer = PDBaddRecord();
            break;
        case dispid::PDBbuild:
            answer = PDBbuild();
            break;
        case dispid::PDBclose:
            answer = PDBclose();
            break;
        case dispid::PDBcDevelopper:
            answer = PDBcDevelopper();
            break;
        case dispid::PDBload:
            answer = PDBload(s(0));
            break;
        case dispid::PDBgetRecord:
            answer = PDBgetRecord(static_cast<std::int32_t>(numbers[0]));
            break;
        case dispid::PDBgetNumField:
        case dispid::PDBgetNumFieldWithID: {
            std::int64_t value = 0;
            answer = method->id == dispid::PDBgetNumField ? PDBgetNumField(s(0), &value)
                                                          : PDBgetNumFieldWithID(i16(0), &value);
            storeInteger(args[1], answer == NO_ERROR ? value : 0);
            break;
        }
        case dispid::PDBgetStrField:
        case dispid::PDBgetStrFieldWithID: {
            BSTR raw = nullptr;
            answer = method->id == dispid::PDBgetStrField ? PDBgetStrField(s(0), &raw)
                                                          : PDBgetStrFieldWithID(i16(0), &raw);
            storeString(args[1], bstrFromAnsi(raw));
            break;
        }
        case dispid::PDBgetUserCount:
            answer = PDBgetUserCount();
            break;
        case dispid::PDBgetUserInfo: {
            BSTR name = nullptr;
            BSTR install = nullptr;
            BSTR backup = nullptr;
            answer = PDBgetUserInfo(i16(0), &name, &install, &backup);
            storeString(args[1], name);
            storeString(args[2], install);
            storeString(args[3], backup);
            break;
        }
        case dispid::PDBsetInstallFlag:
            answer = PDBsetInstallFlag(i16(0));
            break;
        case dispid::PDBgetRecordCount:
            answer = PDBgetRecordCount();
            break;
        case dispid::PDBgetIsStrFieldWithID:
            answer = PDBgetIsStrFieldWithID(i16(0));
            break;
        case dispid::PDBgetIsNumFieldWithID:
            answer = PDBgetIsNumFieldWithID(i16(0));
            break;
        case dispid::PDBgetFieldCount:
            answer = PDBgetFieldCount();
            break;
        case dispid::PDBopenFromScript:
            answer = PDBopenFromScript(s(0), s(1), s(2));
            break;
        case dispid::PDBbuildWithCsv:
            answer = PDBbuildWithCsv(s(0), s(1));
            break;
        case dispid::PDBcDevelopper2:
            answer = PDBcDevelopper2(s(0));
            break;
        case dispid::PDBexportToCsv:
            answer = PDBexportToCsv(s(0), s(1), s(2));
            break;
        case dispid::PDBbuildEncoded:
            answer = PDBbuildEncoded();
            break;
        case dispid::PDBaddBlobField:
            answer = PDBaddBlobField(s(0), s(1));
            break;
        case dispid::PDBload2:
            answer = PDBload2(s(0));
            break;
        case dispid::PDBopen2:
            answer = PDBopen2(s(0), s(1), s(2), s(3));
            break;
        default:
            return com::DISP_E_MEMBERNOTFOUND;
        }
        if (result != nullptr) {
            com::VariantInit(result);
            if (method->result == ResultKind::Int16) {
                result->vt = com::VT_I2;
                result->iVal = static_cast<std::int16_t>(answer);
            } else {
                result->vt = com::VT_I4;
                result->lVal = answer;
            }
        }
        return com::S_OK;
    } catch (...) {
        return com::DISP_E_EXCEPTION;
    }
}

// ---- ITrellisk ---------------------------------------------------------------------
// The core answers codes and catches its own failures; the guards here only keep a
// conversion that runs out of memory from escaping.

void Trellisk::handOut(const std::string& text, BSTR* out) {
    handedOut_ = text;
    *out = reinterpret_cast<BSTR>(handedOut_.data());
}

EnumErrors Trellisk::PDBopen(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType, BSTR aPDBName) {
    try {
        return builder_.PDBopen(path(aFileName), ansi(aCreatorID), ansi(aDatabaseType),
                                ansi(aPDBName));
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

EnumErrors Trellisk::PDBaddNumField(BSTR aFieldName, std::int64_t aFieldValue) {
    try {
        return builder_.PDBaddNumField(ansiInto(aFieldName, argument_[0]), aFieldValue);
    } catch (...) {
        return ERR_ADDNUMFIELD_FAILED;
    }
}

EnumErrors Trellisk::PDBaddStrField(BSTR aFieldName, BSTR aFieldValue) {
    try {
        return builder_.PDBaddStrField(ansiInto(aFieldName, argument_[0]),
                                       ansiInto(aFieldValue, argument_[1]));
    } catch (...) {
        return ERR_ADDSTRFIELD_FAILED;
    }
}

EnumErrors Trellisk::PDBaddRecord() {
    return builder_.PDBaddRecord();
}
EnumErrors Trellisk::PDBbuild() {
    return builder_.PDBbuild();
}
EnumErrors Trellisk::PDBclose() {
    return builder_.PDBclose();
}
EnumErrors Trellisk::PDBcDevelopper() {
    return builder_.PDBcDevelopper();
}
EnumErrors Trellisk::PDBbuildEncoded() {
    return builder_.PDBbuildEncoded();
}

EnumErrors Trellisk::PDBload(BSTR aFileName) {
    try {
        return builder_.PDBload(path(aFileName));
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

EnumErrors Trellisk::PDBgetRecord(std::int32_t recordID) {
    return builder_.PDBgetRecord(recordID);
}

EnumErrors Trellisk::PDBgetNumField(BSTR aFieldName, std::int64_t* aFieldValue) {
    try {
        std::int64_t value = 0;
        const EnumErrors result =
            builder_.PDBgetNumField(ansiInto(aFieldName, argument_[0]), value);
        if (aFieldValue != nullptr) {
            *aFieldValue = result == NO_ERROR ? value : 0;
        }
        return result;
    } catch (...) {
        return ERR_GETNUMFIELD_FAILED;
    }
}

EnumErrors Trellisk::PDBgetStrField(BSTR aFieldName, BSTR* aFieldValue) {
    clearOut(aFieldValue);
    try {
        const EnumErrors result =
            builder_.PDBgetStrField(ansiInto(aFieldName, argument_[0]), scratch_);
        if (result == NO_ERROR && aFieldValue != nullptr) {
            handOut(scratch_, aFieldValue);
        }
        return result;
    } catch (...) {
        return ERR_GETSTRFIELD_FAILED;
    }
}

std::int32_t Trellisk::PDBgetUserCount() {
    return builder_.PDBgetUserCount();
}

EnumErrors Trellisk::PDBgetUserInfo(std::int16_t aUserId, BSTR* aUserName, BSTR* InstallPath,
                                    BSTR* BackupPath) {
    clearOut(aUserName);
    clearOut(InstallPath);
    clearOut(BackupPath);
    try {
        std::string name;
        std::string install;
        std::string backup;
        const EnumErrors result = builder_.PDBgetUserInfo(aUserId, name, install, backup);
        if (result == NO_ERROR) {
            if (aUserName != nullptr) {
                *aUserName = com::bstrFromUtf8(name);
            }
            if (InstallPath != nullptr) {
                *InstallPath = com::bstrFromUtf8(install);
            }
            if (BackupPath != nullptr) {
                *BackupPath = com::bstrFromUtf8(backup);
            }
        }
        return result;
    } catch (...) {
        return ERR_INVALID_USER_ID;
    }
}

EnumErrors Trellisk::PDBsetInstallFlag(std::int16_t aUserId) {
    return builder_.PDBsetInstallFlag(aUserId);
}

EnumErrors Trellisk::PDBgetStrFieldWithID(std::int16_t FieldID, BSTR* aFieldValue) {
    clearOut(aFieldValue);
    try {
        const EnumErrors result = builder_.PDBgetStrFieldWithID(FieldID, scratch_);
        if (result == NO_ERROR && aFieldValue != nullptr) {
            handOut(scratch_, aFieldValue);
        }
        return result;
    } catch (...) {
        return ERR_GETSTRFIELD_FAILED;
    }
}

std::int32_t Trellisk::PDBgetRecordCount() {
    return builder_.PDBgetRecordCount();
}

std::int32_t Trellisk::PDBgetIsStrFieldWithID(std::int16_t FieldID) {
    return builder_.PDBgetIsStrFieldWithID(FieldID);
}

std::int32_t Trellisk::PDBgetIsNumFieldWithID(std::int16_t FieldID) {
    return builder_.PDBgetIsNumFieldWithID(FieldID);
}

std::int16_t Trellisk::PDBgetFieldCount() {
    return builder_.PDBgetFieldCount();
}

EnumErrors Trellisk::PDBgetNumFieldWithID(std::int16_t FieldID, std::int64_t* aFieldValue) {
    std::int64_t value = 0;
    const EnumErrors result = builder_.PDBgetNumFieldWithID(FieldID, value);
    if (aFieldValue != nullptr) {
        *aFieldValue = result == NO_ERROR ? value : 0;
    }
    return result;
}

EnumErrors Trellisk::PDBexportToCsv(BSTR aFileName, BSTR aCsvFileName, BSTR FieldSeparator) {
    try {
        return builder_.PDBexportToCsv(path(aFileName), path(aCsvFileName), ansi(FieldSeparator));
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

EnumErrors Trellisk::PDBbuildWithCsv(BSTR aCsvFileName, BSTR FieldSeparator) {
    try {
        return builder_.PDBbuildWithCsv(path(aCsvFileName), ansi(FieldSeparator));
    } catch (...) {
        return ERR_BUILD_FAILED;
    }
}

EnumErrors Trellisk::PDBopenFromScript(BSTR aScriptFileName, BSTR aFileName, BSTR aPDBName) {
    try {
        return builder_.PDBopenFromScript(path(aScriptFileName), path(aFileName), ansi(aPDBName));
    } catch (...) {
        return ERR_SCRIPT_NOT_FOUND;
    }
}

EnumErrors Trellisk::PDBcDevelopper2(BSTR aScriptFileName) {
    try {
        return builder_.PDBcDevelopper2(path(aScriptFileName));
    } catch (...) {
        return ERR_C_DEVELOPPER_FAILED;
    }
}

EnumErrors Trellisk::PDBaddBlobField(BSTR aFieldName, BSTR aBlobFileName) {
    try {
        return builder_.PDBaddBlobField(ansi(aFieldName), path(aBlobFileName));
    } catch (...) {
        return ERR_ADDSTRFIELD_FAILED;
    }
}

EnumErrors Trellisk::PDBload2(BSTR aFileName) {
    try {
        return builder_.PDBload2(path(aFileName));
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

EnumErrors Trellisk::PDBopen2(BSTR aFileName, BSTR aCreatorID, BSTR aDatabaseType, BSTR aPDBName) {
    try {
        return builder_.PDBopen2(path(aFileName), ansi(aCreatorID), ansi(aDatabaseType),
                                 ansi(aPDBName));
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

} // namespace trellisk
