#pragma once

#include "storage/sevenzip/ComInterfaces.h"

#include <atomic>

namespace sevenzip {

// Reference counting for the objects the binding hands to the library. The
// count is atomic because the library calls some of them from worker threads.
// The virtual destructor belongs to the implementation, not to the interfaces,
// so it lands after the interface slots and leaves them where 7z.so expects them.
template <class... Interfaces> class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    virtual ~ComObject() = default;

    quint32 AddRef() override { return ++references_; }
    quint32 Release() override {
        const quint32 left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    // Hands out `face` for QueryInterface, with the reference the caller owns.
    template <class Interface> static HRESULT answer(Interface* face, void** out) {
        face->AddRef();
        *out = face;
        return S_OK;
    }
    static HRESULT noInterface(void** out) {
        *out = nullptr;
        return E_NOINTERFACE;
    }

private:
    std::atomic<quint32> references_{0};
};

// Hands a new reference to `face` to the library through an out parameter.
template <class Interface, class Object> void handOver(const Object& object, Interface** out) {
    Interface* face = object.get();
    face->AddRef();
    *out = face;
}

} // namespace sevenzip
