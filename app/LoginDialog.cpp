#include "app/LoginDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qor::app {

LoginDialog::LoginDialog(const QString& companyFile, const QString& user, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登录账套"));
    user_ = new QLineEdit(user, this);
    user_->setObjectName(QStringLiteral("txtUser"));
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("txtPassword"));
    password_->setEchoMode(QLineEdit::Password);
    error_ = new QLabel(this);
    error_->setStyleSheet(QStringLiteral("color: #b00020"));
    error_->hide();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("账套:"), new QLabel(QFileInfo(companyFile).fileName(), this));
    form->addRow(QStringLiteral("用户名:"), user_);
    form->addRow(QStringLiteral("密码:"), password_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("登录"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(error_);
    layout->addWidget(buttons);
    (user.isEmpty() ? user_ : password_)->setFocus();
}

QString LoginDialog::User() const { return user_->text().trimmed(); }
QString LoginDialog::Password() const { return password_->text(); }

void LoginDialog::ShowError(const QString& text) {
    error_->setText(text);
    error_->show();
    password_->clear();
    password_->setFocus();
}

}  // namespace qor::app
