#include "platform/com/Dispatch.h"

namespace platform::com {

void VariantInit(VARIANT* v) {
    if (v != nullptr) {
        v->vt = VT_EMPTY;
        v->llVal = 0;
    }
}

HRESULT VariantClear(VARIANT* v) {
    if (v == nullptr) {
        return E_INVALIDARG;
    }
    if (v->vt == VT_BSTR) {
        SysFreeString(v->bstrVal);
    }
    VariantInit(v);
    return S_OK;
}

} // namespace platform::com
