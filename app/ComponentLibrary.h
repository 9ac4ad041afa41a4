#pragma once

#include "platform/host/InprocServer.h"

#include <QString>

namespace qor::app {

// A component library loaded into the shell, reached through its four entry
// points. Unloaded when destroyed: only once CanUnloadNow() agrees.
class ComponentLibrary {
public:
    // Throws HostError, in words a user can act on, when the file is missing,
    // cannot be loaded or lacks an entry point.
    explicit ComponentLibrary(const QString& path);
    ~ComponentLibrary();
    ComponentLibrary(const ComponentLibrary&) = delete;
    ComponentLibrary& operator=(const ComponentLibrary&) = delete;

    const QString& Path() const { return path_; }

    // A new object of the class clsid, as its class's interface (one
    // reference for the caller). Throws HostError when the library refuses.
    inproc::IObject* CreateObject(const inproc::Guid& clsid, const QString& progId);

    bool CanUnloadNow() const;
    inproc::Result Register() const;
    inproc::Result Unregister() const;

private:
    void* Entry(const char* name) const;

    QString path_;
    void* handle_ = nullptr;
    inproc::DllGetClassObjectFunction getClassObject_ = nullptr;
    inproc::DllCanUnloadNowFunction canUnloadNow_ = nullptr;
    inproc::DllRegisterServerFunction registerServer_ = nullptr;
    inproc::DllUnregisterServerFunction unregisterServer_ = nullptr;
};

// "0x80040111": a result as its code is usually written.
QString ResultText(inproc::Result result);

}  // namespace qor::app
