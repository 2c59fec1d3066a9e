// IDispatch and the automation values it carries (VARIANT, DISPPARAMS, EXCEPINFO), for
// late-bound clients that call methods by name and DISPID. Slots 3-6 of a dual interface.
#pragma once

#include "platform/com/Bstr.h"
#include "platform/com/Unknown.h"

namespace platform::com {

// {00020400-0000-0000-C000-000000000046}
inline constexpr IID IID_IDispatch{
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_BYREF = 0x4000,
};

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr WORD DISPATCH_METHOD = 0x1;
inline constexpr WORD DISPATCH_PROPERTYGET = 0x2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 0x4;

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    WORD wReserved1 = 0;
    WORD wReserved2 = 0;
    WORD wReserved3 = 0;
    union {
        std::int64_t llVal;
        std::uint64_t ullVal;
        LONG lVal;
        ULONG ulVal;
        std::int16_t iVal;
        std::uint16_t uiVal;
        std::int8_t cVal;
        std::uint8_t bVal;
        int intVal;
        unsigned int uintVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        std::int64_t* pllVal;
        std::uint64_t* pullVal;
        LONG* plVal;
        ULONG* pulVal;
        std::int16_t* piVal;
        std::uint16_t* puiVal;
        std::int8_t* pcVal;
        std::uint8_t* pbVal;
        int* pintVal;
        unsigned int* puintVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        VARIANT* pvarVal;
        void* byref;
    };
};
using VARIANTARG = VARIANT;

struct DISPPARAMS {
    VARIANTARG* rgvarg = nullptr; // arguments, last one first
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

struct EXCEPINFO {
    WORD wCode = 0;
    WORD wReserved = 0;
    BSTR bstrSource = nullptr;
    BSTR bstrDescription = nullptr;
    BSTR bstrHelpFile = nullptr;
    DWORD dwHelpContext = 0;
    void* pvReserved = nullptr;
    void* pfnDeferredFillIn = nullptr;
    SCODE scode = 0;
};

// Type information is not provided by this stand-in; the type is only declared so that
// IDispatch keeps its Windows shape.
struct ITypeInfo;

struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                  DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* exception, UINT* argumentError) = 0;

protected:
    ~IDispatch() = default;
};

void VariantInit(VARIANT* v);
// Frees what the variant owns (a BSTR) and makes it empty.
HRESULT VariantClear(VARIANT* v);

} // namespace platform::com
