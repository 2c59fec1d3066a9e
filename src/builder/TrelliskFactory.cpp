#include "builder/TrelliskFactory.h"

#include <new>

#include "builder/Trellisk.h"

namespace trellisk {

namespace com = platform::com;

std::atomic<long>& TrelliskFactory::serverLocks() {
    static std::atomic<long> locks{0};
    return locks;
}

com::HRESULT TrelliskFactory::QueryInterface(com::REFIID riid, void** object) {
    if (object == nullptr) {
        return com::E_POINTER;
    }
    if (riid == com::IID_IUnknown || riid == com::IID_IClassFactory) {
        *object = static_cast<com::IClassFactory*>(this);
        AddRef();
        return com::S_OK;
    }
    *object = nullptr;
    return com::E_NOINTERFACE;
}

com::ULONG TrelliskFactory::AddRef() {
    return ++references_;
}

com::ULONG TrelliskFactory::Release() {
    const com::ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

com::HRESULT TrelliskFactory::CreateInstance(com::IUnknown* outer, com::REFIID riid,
                                             void** object) {
    if (object == nullptr) {
        return com::E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return com::CLASS_E_NOAGGREGATION;
    }
    Trellisk* created = nullptr;
    try {
        created = new Trellisk();
    } catch (...) {
        return com::E_OUTOFMEMORY;
    }
    // The interface request makes the first reference; a refused one frees the object.
    created->AddRef();
    const com::HRESULT hr = created->QueryInterface(riid, object);
    created->Release();
    return hr;
}

com::HRESULT TrelliskFactory::LockServer(com::BOOL lock) {
    if (lock != 0) {
        ++serverLocks();
    } else if (serverLocks() > 0) {
        --serverLocks();
    }
    return com::S_OK;
}

} // namespace trellisk
