#pragma once

#include "app/CommandLine.h"
#include "platform/services/Session.h"

namespace qor::app {

// Opens the company database named by the options (the demo company when
// none is named, created on first use), logs the user in and makes the host
// components and the login context available to the module. On refusal
// answers nullptr with the reason in *error. askWithDialog: when no user was
// given, ask in a login window (if there is a screen to show it on).
services::SessionPtr OpenCompanySession(const ShellOptions& options, bool askWithDialog, QString* error);

// Whether windows can be shown (not Qt's offscreen or minimal platform).
bool CanShowWindows();

}  // namespace qor::app
