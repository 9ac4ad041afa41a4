#pragma once

// The binary interface between the host and an in-process component library:
// reference-counted objects that hand out their interfaces by id, the class
// factory, and the four entry points the library exports with C linkage. It
// uses plain C++ types only. The member calls themselves go through the
// platform's late-bound host::Object, which the host and the library share
// (libqor_host), so both name the same component registry.
#include <cstdint>
#include <memory>

namespace qor::host {
class Object;
}

namespace qor::inproc {

struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

constexpr bool operator==(const Guid& a, const Guid& b) {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.data4[i] != b.data4[i]) return false;
    return true;
}

// Outcome of every call: kOk or kFalse succeed, negative values fail.
using Result = int32_t;
inline constexpr Result kOk = 0;
inline constexpr Result kFalse = 1;
inline constexpr Result kNoInterface = static_cast<Result>(0x80004002);
inline constexpr Result kPointer = static_cast<Result>(0x80004003);
inline constexpr Result kFail = static_cast<Result>(0x80004005);
inline constexpr Result kNoAggregation = static_cast<Result>(0x80040110);
inline constexpr Result kClassNotAvailable = static_cast<Result>(0x80040111);
inline constexpr Result kRegistrationFailed = static_cast<Result>(0x80040201);

constexpr bool Succeeded(Result result) { return result >= 0; }

// Every object of a library. QueryInterface hands out the interface iid (with
// a reference the caller releases) or answers kNoInterface.
struct IUnknown {
    virtual Result QueryInterface(const Guid& iid, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// Makes the objects of one class. LockServer(true) keeps the library loaded
// without an object, LockServer(false) gives that up.
struct IClassFactory : IUnknown {
    virtual Result CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0;
    virtual Result LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

// The class's interface: the object as the host calls it, by member name.
// The host::Object handed out keeps this object (and so the library) alive
// until the host lets go of it.
struct IObject : IUnknown {
    virtual Result GetObject(std::shared_ptr<host::Object>* object) = 0;

protected:
    ~IObject() = default;
};

inline constexpr Guid kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid kIidClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid kIidObject = {0x60BAE1FE, 0xA0E8, 0x46F9, {0x95, 0x89, 0x89, 0xB1, 0x4F, 0xA4, 0x74, 0x79}};

// The classes of the library QOROrderBatchTrace.
// "QOROrderBatchTrace.COrderBatchTrace": VectCol, IsUseOrderBatchTrace, Show.
inline constexpr Guid kClsidOrderBatchTrace = {
    0x89B3B0C5, 0x6E0E, 0x4673, {0xB4, 0xFA, 0x87, 0x6B, 0x06, 0xFB, 0xC4, 0x11}};
// "QOROrderBatchTrace.CBatchTraceOutput": the list written, exported or
// printed without a window, for the host's command line.
inline constexpr Guid kClsidBatchTraceOutput = {
    0x220978AA, 0x7DC7, 0x41F9, {0xBD, 0xB5, 0x5B, 0xD3, 0xB3, 0x09, 0xD6, 0xD9}};

// The entry points, found by these names.
// DllGetClassObject: the class factory of clsid, as interface iid.
// DllCanUnloadNow: kOk when no object and no lock of the library is alive, else kFalse.
// DllRegisterServer / DllUnregisterServer: add or remove the library's classes
// (class id, ProgID, library path) in the host's component registry.
using DllGetClassObjectFunction = Result (*)(const Guid* clsid, const Guid* iid, void** object);
using DllCanUnloadNowFunction = Result (*)();
using DllRegisterServerFunction = Result (*)();
using DllUnregisterServerFunction = Result (*)();

inline constexpr const char* kDllGetClassObject = "DllGetClassObject";
inline constexpr const char* kDllCanUnloadNow = "DllCanUnloadNow";
inline constexpr const char* kDllRegisterServer = "DllRegisterServer";
inline constexpr const char* kDllUnregisterServer = "DllUnregisterServer";

}  // namespace qor::inproc
