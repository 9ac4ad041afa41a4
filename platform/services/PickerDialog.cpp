#include "platform/services/PickerDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace qor::services {

namespace {
constexpr int kInitialWidth = 760;
constexpr int kInitialHeight = 460;
}  // namespace

PickerDialog::PickerDialog(const QString& objectName, const QString& title)
    : QDialog(QApplication::activeWindow()), list_(new PickerList(this)) {
    setObjectName(objectName);
    setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setAutoDefault(false);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(kInitialWidth, kInitialHeight);

    connect(buttons, &QDialogButtonBox::accepted, this, &PickerDialog::ChooseCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &PickerList::Chosen, this, &PickerDialog::ChooseCurrent);
    connect(list_, &PickerList::Left, this, &QDialog::reject);
}

int PickerDialog::Choose() {
    list_->setFocus();
    return exec() == QDialog::Accepted ? list_->CurrentRow() : -1;
}

void PickerDialog::ChooseCurrent() {
    if (list_->CurrentRow() >= 0) accept();
}

}  // namespace qor::services
