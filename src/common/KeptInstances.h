#pragma once

#include "platform/host/Object.h"

#include <QString>

namespace qor {

// The four host components that live for the whole process: each is created
// by its ProgID on first use and then handed out again. Creation failures
// throw HostError and are retried on the next use. An instance is forgotten
// when the component registry is cleared, which only tests do.
host::ObjectPtr ObjectFactory();
host::ObjectPtr GLData();
host::ObjectPtr GLView();
host::ObjectPtr AppPub();

// A new instance of a host component, made by ObjectFactory's CreateComponent.
host::ObjectPtr CreateComponent(const QString& progId);

}  // namespace qor
