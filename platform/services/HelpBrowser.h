#pragma once

#include <QUrl>

namespace qor::services {

// Shows a help page inside the program, at the page's anchor: one help
// window, brought to the front and moved to the anchor on each call.
void ShowHelpPage(const QUrl& page);

}  // namespace qor::services
