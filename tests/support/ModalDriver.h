#pragma once

#include <QWidget>
#include <functional>

namespace qor::test {

// Runs action on the next modal window once it is shown, from inside its
// event loop, the way a user acts on a dialog that a call under test opens
// and waits for. Start it right before that call.
void WhenModalShown(std::function<void(QWidget* modal)> action);

}  // namespace qor::test
