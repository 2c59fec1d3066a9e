// IUnknown, the root of every COM interface: interface negotiation and reference counting.
// Interfaces are abstract classes with no virtual destructor, so that their virtual
// functions occupy the vtable slots in declaration order (IUnknown 0-2) as on Windows.
#pragma once

#include "platform/com/Guid.h"
#include "platform/com/Types.h"

namespace platform::com {

// {00000000-0000-0000-C000-000000000046}
inline constexpr IID IID_IUnknown{
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

} // namespace platform::com
