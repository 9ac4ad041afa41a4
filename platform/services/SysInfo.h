#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QORBillDataAccess.SysInfo: GetSysValue(props, category, key) answers the
// system-profile value as text (empty when the key is not set);
// GetListInfo(props, listId) answers the list definition as a Recordset
// (FListID, FName, FLogicStr, FSelect, FFrom, FWhere, FOrderBy, FCaptions).
class SysInfo : public host::Dispatch {
public:
    explicit SysInfo(SessionPtr session);

private:
    QString GetSysValue(const QString& category, const QString& key);
    RecordsetPtr GetListInfo(int listId);

    SessionPtr session_;
};

}  // namespace qor::services
