#include "platform/services/MessageDialog.h"
#include "platform/base/VisibleText.h"

#include "platform/base/Convert.h"
#include "platform/host/HostProgIds.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace qor::services {

namespace {

constexpr int kQuestion = 1;
constexpr int kYes = 1;
constexpr int kNo = 2;

// Icon bits of a plain box's style.
constexpr int kIconMask = 0x70;
constexpr int kCritical = 16;
constexpr int kQuestionIcon = 32;
constexpr int kExclamation = 48;
constexpr int kInformation = 64;

QMessageBox::Icon IconOf(int style) {
    switch (style & kIconMask) {
        case kCritical:
            return QMessageBox::Critical;
        case kQuestionIcon:
            return QMessageBox::Question;
        case kExclamation:
            return QMessageBox::Warning;
        case kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

void PrintToConsole(const QString& title, const QString& text) {
    const QString line = title.isEmpty() ? text : QStringLiteral("%1: %2").arg(title, text);
    std::fprintf(stderr, "%s\n", qUtf8Printable(WithVisibleControls(line)));
}

// Shows the box and answers the code of the button pressed; Esc and closing
// the box answer the code of its last button. Enter presses the default: the
// first button, or the last where that is the safe answer.
int Ask(QMessageBox& box, const std::vector<std::pair<QString, int>>& buttons, bool lastIsDefault = false) {
    std::vector<std::pair<QAbstractButton*, int>> codes;
    for (const auto& [caption, code] : buttons) {
        QPushButton* button = box.addButton(caption, QMessageBox::ActionRole);
        codes.emplace_back(button, code);
    }
    box.setDefaultButton(static_cast<QPushButton*>(lastIsDefault ? codes.back().first : codes.front().first));
    box.setEscapeButton(codes.back().first);
    box.exec();
    for (const auto& [button, code] : codes)
        if (box.clickedButton() == button) return code;
    return codes.back().second;
}

}  // namespace

// Without a screen (command-line use, or Qt's offscreen and minimal platforms)
// a box would wait for a click nobody can give: the text goes to stderr instead.
MessageDialog::Presentation MessageDialog::DefaultPresentation() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return Presentation::Console;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return Presentation::Console;
    return Presentation::Window;
}

MessageDialog::MessageDialog(Presentation presentation)
    : Dispatch(QString::fromLatin1(host::progid::kMessageDialog)), presentation_(presentation) {
    Property(
        QStringLiteral("Title"), [this] { return QVariant(title_); },
        [this](const QVariant& value) { title_ = NullToEmpty(value); });
    Property(
        QStringLiteral("Text"), [this] { return QVariant(text_); },
        [this](const QVariant& value) { text_ = NullToEmpty(value); });
    Method(QStringLiteral("AddButton"), [this](QVariantList& args) {
        buttons_.append(host::ArgText(args, 0));
        return QVariant();
    });
    Method(QStringLiteral("Show"), [this](QVariantList& args) { return Show(host::ArgInt(args, 0)); });
    Method(QStringLiteral("MsgBox"), [this](QVariantList& args) {
        return MsgBox(host::ArgText(args, 0), args.size() > 1 ? host::ArgInt(args, 1) : 0,
                      args.size() > 2 ? host::ArgText(args, 2) : QString());
    });
}

int MessageDialog::Show(int kind) {
    if (presentation_ == Presentation::Console) {
        PrintToConsole(title_, text_);
        return kind == kQuestion ? kNo : kYes;
    }
    QMessageBox box(kind == kQuestion ? QMessageBox::Question : QMessageBox::Information, title_, text_);
    std::vector<std::pair<QString, int>> buttons;
    for (int i = 0; i < buttons_.size(); ++i) buttons.emplace_back(buttons_[i], i + 1);
    // A question's answer 否 changes nothing, so Enter on a question never
    // deletes, bans or writes.
    if (buttons.empty() && kind == kQuestion)
        return Ask(box, {{QStringLiteral("是"), kYes}, {QStringLiteral("否"), kNo}}, true);
    if (buttons.empty()) buttons = {{QStringLiteral("确定"), kYes}};
    return Ask(box, buttons);
}

int MessageDialog::MsgBox(const QString& text, int style, const QString& title) {
    if (presentation_ == Presentation::Console) {
        PrintToConsole(title, text);
        return kYes;
    }
    QMessageBox box(IconOf(style), title, text);
    Ask(box, {{QStringLiteral("确定"), kYes}});
    return kYes;
}

}  // namespace qor::services
