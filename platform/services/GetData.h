#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QORBillDataAccess.GetData: ExecuteSql(props, sql) answers the rows of a
// SELECT as a Recordset; GetItemDetail(props, useShortNumber, text, class,
// userId, extra) answers the code search of QueryItemDetail; FindTraces
// answers a page of the records a search finds (FindTraces).
class GetData : public host::Dispatch {
public:
    explicit GetData(SessionPtr session);

private:
    SessionPtr session_;
};

}  // namespace qor::services
