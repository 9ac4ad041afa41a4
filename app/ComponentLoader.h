#pragma once

#include "app/ComponentLibrary.h"
#include "platform/host/ComponentRegistry.h"
#include "platform/host/Object.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace qor::app {

// Creates the classes of component libraries by ProgID, as the host creates
// its components: class id and library come from the component registry. A
// library named after the ProgID's first part ("QOROrderBatchTrace.so" for
// "QOROrderBatchTrace.COrderBatchTrace") in the folder given (the shell's
// own) comes first, for the classes the shell ships with: a build tree, and
// a shell installed with its module beside it, use their own library. Each
// library is loaded once and unloaded when it says it may be.
class ComponentLoader {
public:
    // besideFolder: searched before the registry; empty for the registry only.
    explicit ComponentLoader(QString besideFolder);
    // Takes its ProgIDs out of the component factory and unloads the
    // libraries that may go; a library still in use stays loaded.
    ~ComponentLoader();
    ComponentLoader(const ComponentLoader&) = delete;
    ComponentLoader& operator=(const ComponentLoader&) = delete;

    // Where progId's class is found; nullopt when nowhere. Throws HostError
    // when the registry's entry is unreadable.
    std::optional<host::RegisteredClass> Locate(const QString& progId) const;

    // A new object of the class. Throws HostError, in words a user can act
    // on, when the class is not registered, its library is missing or
    // broken, or the library refuses to create it.
    host::ObjectPtr Create(const QString& progId);

    // Lets the component factory create progId through Create, so that the
    // shell's calls on it are observed like every other component's.
    void Install(const QString& progId);

    // Unloads every library whose DllCanUnloadNow agrees, after the deletions
    // that widgets of the library have posted. Answers how many stay loaded.
    int FreeUnusedLibraries();
    int LoadedLibraries() const { return static_cast<int>(libraries_.size()); }

private:
    ComponentLibrary& Load(const QString& path);

    QString besideFolder_;
    std::vector<std::unique_ptr<ComponentLibrary>> libraries_;
    QStringList installed_;
};

}  // namespace qor::app
