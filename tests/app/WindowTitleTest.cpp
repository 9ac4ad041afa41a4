#include "app/ShellApplication.h"
#include "platform/host/ComponentFactory.h"
#include "platform/services/MessageDialog.h"
#include "src/common/Messages.h"
#include "src/host/ProgIds.h"
#include "src/ui/edit/frmProperty.h"
#include "src/ui/find/frmFind.h"
#include "src/ui/list/frmBatchTrace.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

// Runs under Xvfb on the xcb platform: the titles are read back as the
// window manager reads them, from the windows' _NET_WM_NAME.
using namespace qor;

namespace {

QString NetWmName(const QWidget& window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_NAME")});
    xprop.waitForFinished();
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput());
    const auto match = QRegularExpression(QStringLiteral("= \"(.*)\"")).match(out);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("(xprop: %1)").arg(out.trimmed());
}

QString ShownTitle(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return QStringLiteral("(not exposed)");
    EXPECT_EQ(NetWmName(window), window.windowTitle());
    return window.windowTitle();
}

}  // namespace

TEST(WindowTitles, AreExactlyTheWindowsOwnTitles) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    app::SetUpShellApplication(*qApp);
    test::FakeHost host;

    frmBatchTrace list;
    EXPECT_EQ(ShownTitle(list), QStringLiteral("客户BOM批次对应表"));
    frmProperty edit;
    EXPECT_EQ(ShownTitle(edit), QStringLiteral("客户BOM批次对应表信息"));
    frmFind find;
    find.SetActionMode(frmFind::kFilterMode);
    find.Load();
    EXPECT_EQ(ShownTitle(find), QStringLiteral("过滤"));

    host::ComponentFactory::Register(QString::fromLatin1(host::progid::kMessageDialog), [] {
        return std::make_shared<services::MessageDialog>(services::MessageDialog::Presentation::Window);
    });
    QString boxTitle;
    QTimer::singleShot(0, [&boxTitle] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        boxTitle = ShownTitle(*box);
        box->close();
    });
    ShowMessage(kMessageNotice, QStringLiteral("保存成功！"));
    EXPECT_EQ(boxTitle, QStringLiteral("栎澄提示"));
}
