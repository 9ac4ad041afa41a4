#pragma once

#include "app/CommandLine.h"

namespace qor::app {

// qor-erp user add|passwd|disable|enable|grant|revoke NAME --db COMPANY: the
// company's users, for its owner, without a SQL shell. On a server the URL
// names the owner's role; each user is a login role there too. add and passwd
// take the user's new password from the password sources of the headless
// commands.
int RunUser(const ShellOptions& options);

}  // namespace qor::app
