#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QORBaseList.BaseList, the batch picker: Show(userId, 18) lets the user pick
// one of the batches passing Filter (an SQL condition on FItemID and
// FBatchNo) and answers a recordset of it (FItemID, FBatchNo, FQty), or
// nothing. The batches are those in stock with their quantities and those
// already named by trace records; batches of banned records come last,
// marked "禁用". KeyWord seeds the search box.
class BaseList : public host::Dispatch {
public:
    explicit BaseList(SessionPtr session);

private:
    QVariant Show(int cls);

    SessionPtr session_;
    QString filter_;
    QString keyWord_;
};

}  // namespace qor::services
