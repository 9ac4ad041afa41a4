#pragma once

#include "host/Dispatch.h"
#include "services/Session.h"

namespace qor::services {

// QOREBCGLView.GLData: AccessCheck(module, detail, mask) answers whether the
// session's user holds the right; WriteLog(code, kind, text) adds an entry
// to the operation log with the user, the time and the machine.
class GLData : public host::Dispatch {
public:
    explicit GLData(SessionPtr session);

private:
    void WriteLog(const QString& code, int kind, const QString& text);

    SessionPtr session_;
};

}  // namespace qor::services
