#pragma once

#include "app/CommandLine.h"

namespace qor::app {

// qor-erp --register LIBRARY / --unregister LIBRARY: loads the component
// library and calls its DllRegisterServer or DllUnregisterServer, which add
// or remove its classes in the component registry (the system's when run by
// root, else the user's). Says what was done, or why not.
int RunRegister(const ShellOptions& options);

}  // namespace qor::app
