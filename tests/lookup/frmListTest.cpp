#include "src/lookup/frmList.h"
#include "tests/support/FakeListControl.h"
#include "tests/support/ModalDriver.h"

#include <gtest/gtest.h>
#include <QTest>

using namespace qor;

namespace {

class ListWindow : public ::testing::Test {
protected:
    size_t CallsOf(const char* member) const { return list.control->CallsOf(QString::fromLatin1(member)).size(); }

    test::FakeListControl list;
};

TEST_F(ListWindow, InitDataHandsOverRobAndNamesTheWindowAfterTheList) {
    frmList window;
    EXPECT_EQ(window.ICListSel(), list.widget.data());
    EXPECT_EQ(list.control->Property("ShowSearch"), QVariant(true));
    window.SetROB(3);
    EXPECT_FALSE(list.control->Property("ROB").isValid()) << "ROB goes to the control only with InitData";
    const size_t before = list.control->Calls().size();
    window.SetPaintBar(true);
    EXPECT_EQ(list.control->Calls().size(), before) << "PaintBar changes nothing";
    EXPECT_FALSE(window.OK());

    list.initOk = false;
    window.InitData();
    EXPECT_EQ(list.control->Property("ROB"), QVariant(3));
    EXPECT_FALSE(window.OK()) << "the control's success flag";
    EXPECT_EQ(window.windowTitle(), "销售订单序时簿");
    list.initOk = true;
    window.InitData();
    EXPECT_TRUE(window.OK());
}

TEST_F(ListWindow, ARefusedInitializationClosesTheWindowAsSoonAsItIsShown) {
    list.initAnswer = false;
    frmList window;
    window.InitData();
    EXPECT_EQ(window.windowTitle(), QString());
    window.exec();
    EXPECT_FALSE(window.OK());
    EXPECT_EQ(CallsOf("Release"), 1u);
}

TEST_F(ListWindow, ExitEscapeOrClosingEndWithoutAChoiceAndOnlyClosingUnloads) {
    const std::pair<std::function<void(QWidget*)>, size_t> ways[] = {
        {[this](QWidget*) { list.widget->Send("Exit"); }, 0},
        {[](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }, 0},
        {[](QWidget* modal) { modal->close(); }, 1},
    };
    frmList window;
    for (const auto& [act, releases] : ways) {
        window.InitData();
        test::WhenModalShown(act);
        window.exec();
        EXPECT_FALSE(window.OK());
        EXPECT_EQ(CallsOf("Release"), releases);
    }
    EXPECT_EQ(CallsOf("Selected"), 0u);
}

TEST_F(ListWindow, SelectOkWithoutAChosenRowKeepsTheWindowOpen) {
    frmList window;
    window.InitData();
    list.rowSelected = false;
    bool stillOpen = false;
    test::WhenModalShown([&](QWidget* modal) {
        list.widget->Send("SelectOK");
        stillOpen = modal->isVisible();
        list.rowSelected = true;
        list.widget->Send("SelectOK");
    });
    window.exec();
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(window.OK());
    EXPECT_EQ(CallsOf("Release"), 0u) << "the caller still reads Selected";
}

}  // namespace
