#pragma once

namespace qor {

// What keeps the component library loaded: its live objects (class factories
// included) and the host's locks through LockServer.
class ServerLocks {
public:
    static void ObjectCreated();
    static void ObjectDestroyed();
    static void Lock();
    static void Unlock();
    static bool InUse();
};

}  // namespace qor
