#pragma once

#include "platform/base/Vector.h"
#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QORBillDataAccess.SaveData: SaveBatchTraceData(props, data, message)
// writes one trace record. data is ("INS", 0, fields), ("UPT", FTraceID,
// fields) or ("DEL", FTraceID). The answer for the user is written into the
// message argument; the result is 1 when the record was written, 0 when the
// request was refused and nothing was written.
class SaveData : public host::Dispatch {
public:
    explicit SaveData(SessionPtr session);

private:
    QVariant SaveBatchTraceData(QVariantList& args);
    QString Save(const Vector& data);

    SessionPtr session_;
};

}  // namespace qor::services
