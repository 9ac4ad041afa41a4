#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QORMClass.ClassInfo: GetData(props, sql) answers the rows of a SELECT as a
// Recordset.
class ClassInfo : public host::Dispatch {
public:
    explicit ClassInfo(SessionPtr session);

private:
    SessionPtr session_;
};

}  // namespace qor::services
