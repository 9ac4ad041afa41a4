#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QOREBSGLItem.ItemInfo: GetDataRight(props, userId, rightKind) answers 1
// when the user's rows of that kind are restricted, 0 otherwise (also when
// the store has no entry).
class ItemInfo : public host::Dispatch {
public:
    explicit ItemInfo(SessionPtr session);

private:
    int GetDataRight(int userId, int rightKind);

    SessionPtr session_;
};

}  // namespace qor::services
