#pragma once

#include "platform/db/Database.h"

#include <QString>
#include <memory>

namespace qor::services {

// The logged-in user the host components work for. The shell creates it at
// login and every component it registers shares it.
struct Session {
    db::DatabasePtr database;
    int userId = 0;
    QString userName;
    QString machineName;
};

using SessionPtr = std::shared_ptr<Session>;

}  // namespace qor::services
