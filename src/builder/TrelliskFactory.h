// The class factory of Trellisk: a new object for every request (multi-instance), no
// aggregation. Server locks count with the live objects for DllCanUnloadNow.
#pragma once

#include <atomic>

#include "platform/com/ClassFactory.h"

namespace trellisk {

class TrelliskFactory final : public platform::com::IClassFactory {
public:
    static std::atomic<long>& serverLocks();

    TrelliskFactory() = default;
    TrelliskFactory(const TrelliskFactory&) = delete;
    TrelliskFactory& operator=(const TrelliskFactory&) = delete;

    platform::com::HRESULT QueryInterface(platform::com::REFIID riid, void** object) override;
    platform::com::ULONG AddRef() override;
    platform::com::ULONG Release() override;
    platform::com::HRESULT CreateInstance(platform::com::IUnknown* outer,
                                          platform::com::REFIID riid, void** object) override;
    platform::com::HRESULT LockServer(platform::com::BOOL lock) override;

private:
    ~TrelliskFactory() = default;
    std::atomic<platform::com::ULONG> references_{0};
};

} // namespace trellisk
