// IClassFactory: what a server's DllGetClassObject hands out to make its objects.
#pragma once

#include "platform/com/Unknown.h"

namespace platform::com {

// {00000001-0000-0000-C000-000000000046}
inline constexpr IID IID_IClassFactory{
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

} // namespace platform::com
