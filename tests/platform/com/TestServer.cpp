// A minimal in-process server for the mini-COM tests: one class whose object answers
// IUnknown only and counts itself, registered under a fixed CLSID.
#include <atomic>

#include "platform/com/Activation.h"
#include <cstdlib>

namespace {

namespace com = platform::com;

// {0A0B0C0D-0001-0002-0304-050607080910}
constexpr com::CLSID kClass{
    0x0A0B0C0D, 0x0001, 0x0002, {0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x10}};

std::atomic<long> liveObjects{0};

class Object final : public com::IUnknown {
public:
    Object() { ++liveObjects; }
    com::HRESULT QueryInterface(com::REFIID riid, void** out) override {
        if (riid == com::IID_IUnknown) {
            *out = this;
            AddRef();
            return com::S_OK;
        }
        *out = nullptr;
        return com::E_NOINTERFACE;
    }
    com::ULONG AddRef() override { return ++refs_; }
    com::ULONG Release() override {
        const com::ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

private:
    ~Object() { --liveObjects; }
    std::atomic<com::ULONG> refs_{0};
};

class Factory final : public com::IClassFactory {
public:
    com::HRESULT QueryInterface(com::REFIID riid, void** out) override {
        if (riid == com::IID_IUnknown || riid == com::IID_IClassFactory) {
            *out = this;
            return com::S_OK;
        }
        *out = nullptr;
        return com::E_NOINTERFACE;
    }
    com::ULONG AddRef() override { return 1; }
    com::ULONG Release() override { return 1; }
    com::HRESULT CreateInstance(com::IUnknown* outer, com::REFIID riid, void** out) override {
        *out = nullptr;
        if (outer != nullptr) {
            return com::CLASS_E_NOAGGREGATION;
        }
        auto* o = new Object();
        o->AddRef();
        const com::HRESULT hr = o->QueryInterface(riid, out);
        o->Release();
        return hr;
    }
    com::HRESULT LockServer(com::BOOL) override { return com::S_OK; }
};

Factory factory;

} // namespace

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT com::HRESULT DllGetClassObject(com::REFCLSID clsid, com::REFIID riid, void** out) {
    if (!(clsid == kClass)) {
        *out = nullptr;
        return com::CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(riid, out);
}

EXPORT com::HRESULT DllCanUnloadNow() {
    return liveObjects == 0 ? com::S_OK : com::S_FALSE;
}

// Registration fails on request, to show how regsvr reports it.
EXPORT com::HRESULT DllRegisterServer() {
    return std::getenv("COM_TEST_FAIL") != nullptr ? com::SELFREG_E_CLASS : com::S_OK;
}

EXPORT com::HRESULT DllUnregisterServer() {
    return com::S_OK;
}

EXPORT long comTestLiveObjects() {
    return liveObjects;
}
