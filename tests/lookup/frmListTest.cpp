#include "FakeListControl.h"
#include "base/Convert.h"
#include "lookup/frmList.h"
#include "support/ModalDriver.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

using namespace qor;

namespace {

class ListWindow : public ::testing::Test {
protected:
    size_t CallsOf(const char* member) const { return list.control->CallsOf(QString::fromLatin1(member)).size(); }

    test::FakeListControl list;
};

TEST_F(ListWindow, LoadsWithTheControlAtTheTopLeftAndNothingConfirmed) {
    frmList window;
    EXPECT_EQ(window.objectName(), "frmList");
    ASSERT_EQ(window.ICListSel(), list.widget.data());
    EXPECT_EQ(window.ICListSel()->objectName(), "ICListSel");
    EXPECT_EQ(window.ICListSel()->parentWidget(), &window);
    EXPECT_EQ(window.ICListSel()->pos(), QPoint(0, 0));
    EXPECT_EQ(window.SBar()->objectName(), "SBar");
    EXPECT_EQ(window.SBar()->findChild<QLabel*>()->text(), QString());
    EXPECT_EQ(list.control->Property("ShowSearch"), QVariant(true));
    EXPECT_FALSE(window.OK());
}

TEST_F(ListWindow, PassesSettingsStraightToTheControlAndKeepsRobItself) {
    frmList window;
    window.SetBaseInfo("A=1;B=2|16|abc");
    window.SetListID(32);
    window.SetMultiSelect(true);
    window.SetFilter(" v1.FStatus>0");
    window.SetROB(5);
    EXPECT_EQ(list.control->Property("BaseInfo"), QVariant("A=1;B=2|16|abc"));
    EXPECT_EQ(list.control->Property("ListID"), QVariant(32));
    EXPECT_EQ(list.control->Property("MultiSelect"), QVariant(-1)) << "handed on as a 32-bit integer";
    EXPECT_EQ(list.control->Property("Filter"), QVariant(" v1.FStatus>0"));
    EXPECT_FALSE(list.control->Property("ROB").isValid()) << "ROB goes to the control only with InitData";
    EXPECT_EQ(window.ROB(), 5);

    const size_t before = list.control->Calls().size();
    window.SetPaintBar(true);
    window.SetPaintBar(false);
    EXPECT_EQ(list.control->Calls().size(), before) << "PaintBar changes nothing";
    EXPECT_EQ(window.windowTitle(), QString());

    list.ChooseRow(7, 2);
    EXPECT_EQ(window.Selected()->Count(), 1);
}

TEST_F(ListWindow, InitDataHandsOverRobAndNamesTheWindowAfterTheList) {
    frmList window;
    window.SetROB(3);
    window.InitData();
    EXPECT_EQ(list.control->Property("ROB"), QVariant(3));
    EXPECT_TRUE(window.OK());
    EXPECT_EQ(window.windowTitle(), "销售订单序时簿");
}

TEST_F(ListWindow, TakesTheControlsSuccessFlag) {
    list.initOk = false;
    frmList window;
    window.InitData();
    EXPECT_FALSE(window.OK());
    EXPECT_EQ(window.windowTitle(), "销售订单序时簿");
}

TEST_F(ListWindow, ARefusedInitializationClosesTheWindowAsSoonAsItIsShown) {
    list.initAnswer = false;
    frmList window;
    window.InitData();
    EXPECT_EQ(window.windowTitle(), QString());
    window.exec();
    EXPECT_FALSE(window.OK());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(CallsOf("Release"), 1u);
}

TEST_F(ListWindow, ExitHidesTheWindowWithoutAChoice) {
    frmList window;
    window.InitData();
    test::WhenModalShown([this](QWidget*) { list.widget->Send("Exit"); });
    window.exec();
    EXPECT_FALSE(window.OK());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(CallsOf("Selected"), 0u);
    EXPECT_EQ(CallsOf("Release"), 0u) << "hidden, not unloaded";
}

TEST_F(ListWindow, SelectOkWithoutAChosenRowKeepsTheWindowOpen) {
    frmList window;
    window.InitData();
    list.rowSelected = false;
    bool stillOpen = false;
    test::WhenModalShown([&](QWidget* modal) {
        list.widget->Send("SelectOK");
        list.widget->Send("Refresh");
        stillOpen = modal->isVisible();
        list.rowSelected = true;
        list.widget->Send("SelectOK");
    });
    window.exec();
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(window.OK());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(CallsOf("Release"), 0u) << "the caller still reads Selected";
}

TEST_F(ListWindow, ClosingOrEscapeUnloadsWithoutAChoice) {
    frmList window;
    window.InitData();
    test::WhenModalShown([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    window.exec();
    EXPECT_FALSE(window.OK());

    window.InitData();
    ASSERT_TRUE(window.OK());
    test::WhenModalShown([](QWidget* modal) { modal->close(); });
    window.exec();
    EXPECT_FALSE(window.OK());
    EXPECT_EQ(CallsOf("Release"), 1u);
}

TEST_F(ListWindow, ReleasingTheWindowReleasesTheControlsData) {
    {
        frmList window;
        window.InitData();
    }
    EXPECT_EQ(CallsOf("Release"), 1u);
}

TEST_F(ListWindow, TheControlFillsTheWindowAboveTheStatusBar) {
    frmList window;
    window.InitData();
    window.resize(700, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int barHeight = window.SBar()->height();
    EXPECT_GT(barHeight, 0);
    EXPECT_EQ(window.ICListSel()->geometry(), QRect(0, 0, 700, 400 - barHeight));
    EXPECT_EQ(window.SBar()->geometry().bottom(), 399);
}

}  // namespace
