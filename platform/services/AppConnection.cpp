#include "platform/services/AppConnection.h"

#include "platform/host/HostProgIds.h"
#include "platform/services/HelpBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QUrl>

namespace qor::services {

namespace {

// Statements that answer rows: SELECT, or WITH ... SELECT, possibly in parentheses.
bool AnswersRows(const QString& sql) {
    static const QRegularExpression firstWord(QStringLiteral("^[\\s(]*(\\w+)"));
    const QString word = firstWord.match(sql).captured(1);
    return word.compare(QLatin1String("select"), Qt::CaseInsensitive) == 0 ||
           word.compare(QLatin1String("with"), Qt::CaseInsensitive) == 0;
}

// Help can only be shown where there is a screen to show it on.
bool CanShowHelp() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void ShowHelp(int contextId) {
    const QString page = HelpPagePath();
    if (page.isEmpty() || !CanShowHelp()) return;
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(QString::number(contextId));
    ShowHelpPage(url);
}

}  // namespace

AppConnection::AppConnection(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kAppConnection)), session_(std::move(session)) {
    Method(QStringLiteral("GetAnyRecordset"), [this](QVariantList& args) {
        return QVariant::fromValue(session_->database->Query(host::ArgText(args, 0)));
    });
    Method(QStringLiteral("Execute"), [this](QVariantList& args) { return Execute(host::ArgText(args, 0)); });
    // One transaction around many writes (an import): the save component's own
    // transactions nest inside it.
    Method(QStringLiteral("BeginTrans"), [this](QVariantList&) {
        session_->database->Begin();
        return QVariant();
    });
    Method(QStringLiteral("CommitTrans"), [this](QVariantList&) {
        session_->database->Commit();
        return QVariant();
    });
    Method(QStringLiteral("RollbackTrans"), [this](QVariantList&) {
        session_->database->Rollback();
        return QVariant();
    });
    Method(QStringLiteral("ShowHelp"), [](QVariantList& args) {
        try {
            ShowHelp(host::ArgInt(args, 0));
        } catch (const std::exception&) {
        }
        return QVariant();
    });
}

QVariant AppConnection::Execute(const QString& sql) {
    if (AnswersRows(sql)) return QVariant::fromValue(session_->database->Query(sql));
    session_->database->Execute(sql);
    return {};
}

QString HelpPagePath() {
    const QStringList candidates{
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/index.html")),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/qor-erp/help/index.html")),
        QStringLiteral(QOR_SOURCE_HELP_PAGE),
    };
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile()) return path;
    return {};
}

}  // namespace qor::services
