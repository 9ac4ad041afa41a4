#include "src/component/ServerLocks.h"

#include <atomic>

namespace qor {

namespace {

std::atomic<int> liveObjects{0};
std::atomic<int> locks{0};

}  // namespace

void ServerLocks::ObjectCreated() { ++liveObjects; }

void ServerLocks::ObjectDestroyed() { --liveObjects; }

void ServerLocks::Lock() { ++locks; }

void ServerLocks::Unlock() { --locks; }

bool ServerLocks::InUse() { return liveObjects > 0 || locks > 0; }

}  // namespace qor
