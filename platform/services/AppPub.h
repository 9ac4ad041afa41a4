#pragma once

#include "platform/host/Dispatch.h"

namespace qor::services {

// QOREBCPUB.AppPub: FormatMessage(template, values) fills %1, %2, ... with
// the values in order; values come as a list or as a Vector. Text a value
// brings in is not searched again, a placeholder without a value stays as it
// is, and where the digits could name more than one placeholder (%12) the
// longest that has a value wins. Null values fill in as empty text.
class AppPub : public host::Dispatch {
public:
    AppPub();
};

}  // namespace qor::services
