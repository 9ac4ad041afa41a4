#include "app/ShellApplication.h"
#include "platform/host/ComponentFactory.h"
#include "platform/services/MessageDialog.h"
#include "src/common/Messages.h"
#include "src/host/ProgIds.h"
#include "src/ui/edit/frmProperty.h"
#include "src/ui/find/frmFind.h"
#include "src/ui/list/frmBatchTrace.h"
#include "tests/support/FakeHost.h"
#include "tests/support/ModalDriver.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QProcess>
#include <QTest>

using namespace qor;

// Runs under Xvfb on the xcb platform: a title as the window manager reads
// it, from the window's _NET_WM_NAME, is the window's own title exactly.
static QString ShownTitle(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return QStringLiteral("(not exposed)");
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()), "_NET_WM_NAME"});
    xprop.waitForFinished();
    EXPECT_EQ(QString::fromUtf8(xprop.readAllStandardOutput()).trimmed(),
              "_NET_WM_NAME(UTF8_STRING) = \"" + window.windowTitle() + '"');
    return window.windowTitle();
}

TEST(WindowTitles, AreExactlyTheWindowsOwnTitles) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    app::SetUpShellApplication(*qApp);
    test::FakeHost host;
    frmBatchTrace list;
    frmProperty edit;
    frmFind find;
    find.SetActionMode(frmFind::kFilterMode);
    find.Load();
    EXPECT_EQ(ShownTitle(list), "客户BOM批次对应表");
    EXPECT_EQ(ShownTitle(edit), "客户BOM批次对应表信息");
    EXPECT_EQ(ShownTitle(find), "过滤");

    host::ComponentFactory::Register(host::progid::kMessageDialog, [] {
        return std::make_shared<services::MessageDialog>(services::MessageDialog::Presentation::Window);
    });
    QString boxTitle;
    test::WhenModalShown([&boxTitle](QWidget* box) {
        boxTitle = ShownTitle(*box);
        box->close();
    });
    ShowMessage(kMessageNotice, QStringLiteral("保存成功！"));
    EXPECT_EQ(boxTitle, "栎澄提示");
}
