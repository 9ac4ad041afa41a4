#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QORConnection.AppConnection: runs the module's statements on the company
// database and opens the module's help page.
class AppConnection : public host::Dispatch {
public:
    explicit AppConnection(SessionPtr session);

private:
    QVariant Execute(const QString& sql);

    SessionPtr session_;
};

// The help page shipped with the program: help/index.html beside the
// executable, else ../share/qor-erp/help/index.html (the package's), else
// the copy in the source tree. Empty when none exists.
QString HelpPagePath();

}  // namespace qor::services
