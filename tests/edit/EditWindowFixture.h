#pragma once

#include "EditHost.h"
#include "base/Vector.h"
#include "controls/LedgerGrid.h"
#include "ui/edit/frmProperty.h"

#include <gtest/gtest.h>
#include <memory>

namespace qor::test {

// An edit window over the EditHost company, shown and driven by keys.
class EditWindow : public ::testing::Test {
protected:
    void SetUp() override;

    // A new record from item 1024, as the list's New command opens it.
    void OpenNew();
    // Record position (1-based) of count list records, in status.
    void OpenExisting(int32_t status, int position, int count = 3);

    // Makes the value cell of row active and types text into it.
    void Type(int row, const QString& text);
    // A key pressed and released where the focus is.
    void Press(Qt::Key key);
    QString Cell(int row) const;
    QStringList Messages() const { return fakes.host.messages.Texts(); }

    EditHost fakes;
    VectorPtr schema;
    controls::LedgerGrid ledger;
    std::unique_ptr<frmProperty> window;

private:
    void Show();
    QWidget* KeyTarget();
};

}  // namespace qor::test
