#pragma once

#include "platform/base/Dictionary.h"
#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QOREBCBASE.UserProfile: named values of the session's user, grouped by
// application and section. Load(application, section) reads a section into
// the Dictionary property, which the caller may change; Save(application,
// section) makes the section hold exactly what the dictionary holds. Values
// are kept as text.
class UserProfile : public host::Dispatch {
public:
    explicit UserProfile(SessionPtr session);

private:
    void Load(const QString& application, const QString& section);
    void Save(const QString& application, const QString& section);

    SessionPtr session_;
    DictionaryPtr values_ = Dictionary::New();
};

}  // namespace qor::services
