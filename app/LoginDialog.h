#pragma once

#include <QDialog>

class QLineEdit;
class QLabel;

namespace qor::app {

// Asks for user name and password when the command line gave none. The
// caller checks them and calls ShowError to let the user try again.
class LoginDialog : public QDialog {
    Q_OBJECT
public:
    LoginDialog(const QString& companyFile, const QString& user, QWidget* parent = nullptr);

    QString User() const;
    QString Password() const;
    void ShowError(const QString& text);

private:
    QLineEdit* user_;
    QLineEdit* password_;
    QLabel* error_;
};

}  // namespace qor::app
