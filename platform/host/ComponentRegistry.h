#pragma once

#include "platform/host/InprocServer.h"

#include <QString>
#include <functional>
#include <optional>

namespace qor::host {

// One registered class: where the host finds the library that makes it.
struct RegisteredClass {
    QString progId;
    inproc::Guid clsid{};
    QString library;  // absolute path
};

// The host's component registry: an INI file with one section per ProgID
// (keys CLSID and Library), qor-erp/components.ini in the user's
// configuration folder ($XDG_CONFIG_HOME, ~/.config) and in the system's
// ($XDG_CONFIG_DIRS, /etc/xdg when unset; the first one is written). The
// user's entry for a ProgID overrides the system's.
class ComponentRegistry {
public:
    enum class Scope { System, User };

    static QString File(Scope scope);
    // Where registration writes: the system registry for root (the package's
    // install script), the user's for everyone else.
    static Scope WritableScope();

    // The user's entry for progId (matched without case), else the system's.
    static std::optional<RegisteredClass> Find(const QString& progId);

    // Adds the class, replacing any entry with its ProgID or its class id.
    // Throws HostError when the file cannot be written.
    static void Add(Scope scope, const RegisteredClass& entry);
    // Removes the entries with the class id; answers how many there were.
    // The file goes when it holds no entry any more. Throws HostError when
    // the file cannot be written.
    static int Remove(Scope scope, const inproc::Guid& clsid);
    // Removes the entries of the library at that absolute path, the same way:
    // a library deleted before it was unregistered cannot do it itself.
    static int RemoveLibrary(Scope scope, const QString& library);

    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" and back; nullopt for any other text.
    static QString GuidText(const inproc::Guid& guid);
    static std::optional<inproc::Guid> ParseGuid(const QString& text);

private:
    // Whether an entry goes, by its class id and library texts.
    using EntryTest = std::function<bool(const QString& clsid, const QString& library)>;
    static int RemoveWhere(Scope scope, const EntryTest& test);
};

}  // namespace qor::host
