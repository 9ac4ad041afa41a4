#include "src/ui/find/SearchFields.h"
#include "src/ui/find/frmFind.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace qor;

namespace {
std::vector<SearchField> WithEntries(const QStringList& entries) {
    auto fields = InitialSearchFields();
    for (int i = 0; i < entries.size(); ++i) fields[static_cast<size_t>(i)].entry = entries[i];
    return fields;
}

class Find : public ::testing::Test {
protected:
    void Open(int mode) {
        find.SetActionMode(mode);
        find.Load();
    }
    test::FakeHost host;
    frmFind find;
};
}  // namespace

TEST(FilterFragment, EveryComparisonAndSkippedRows) {
    EXPECT_EQ(BuildFilterFragment(WithEntries({"abc", "", "", "", "", "5"}), {"等于", "", "", "", "", "大于"}),
              " AND t1.FNumber ='abc' AND v1.FBatchNo >'5'");
    EXPECT_EQ(BuildFilterFragment(WithEntries({"1", "2", "3", "4", "5", "6"}),
                                  {"不等", "小于", "包含", "不包含", "(无)", ""}),
              " AND t1.FNumber <>'1' AND t1.FName <'2' AND t1.FModel LIKE '%3%' AND v2.FBillNo NOT LIKE '%4%'");
    EXPECT_EQ(BuildFilterFragment(WithEntries({"", "  12"}), {"等于", "包含"}), " AND t1.FName LIKE '%  12%'");
    // A pasted quote can neither end the literal nor change what it selects.
    EXPECT_EQ(BuildFilterFragment(WithEntries({"a' OR '1'='1"}), {"等于"}), " AND t1.FNumber ='a'' OR ''1''=''1'");
}

// Enter confirms, Esc cancels.
TEST_F(Find, FilterDialogRaisesFilterNowOrAsksForInput) {
    Open(frmFind::kFilterMode);
    EXPECT_EQ(find.Grid()->item(1, 0)->text(), "物料名称");
    QSignalSpy filtered(&find, &frmFind::FilterNow);
    QSignalSpy finished(&find, &QDialog::finished);

    find.show();
    QTest::keyClick(find.Grid(), Qt::Key_Return);
    EXPECT_EQ(host.messages.Texts(), QStringList{"请输入要搜索的字符!"});
    EXPECT_EQ(filtered.size(), 0);

    find.Grid()->setCurrentCell(1, 2);
    find.Grid()->editItem(find.Grid()->item(1, 2));
    QTest::keyClicks(find.Grid()->focusWidget(), "1'\"2");  // quotes are dropped while typing
    find.SetListChoice(2, "包含");
    find.Grid()->item(2, 2)->setText(QStringLiteral("A") + QChar(0) + "B");  // pasted
    find.Ok();
    EXPECT_EQ(host.messages.Texts().last(), "过滤内容中不能有控制字符！");
    EXPECT_EQ(filtered.size(), 0);
    find.Grid()->item(2, 2)->setText(QString());
    find.Ok();
    ASSERT_EQ(filtered.size(), 1);
    EXPECT_EQ(filtered[0][0].toString(), " AND t1.FName LIKE '%12%'");
    find.show();
    QTest::keyClick(find.Grid(), Qt::Key_Escape);
    ASSERT_EQ(finished.size(), 2);
    EXPECT_EQ(finished[1][0].toInt(), QDialog::Rejected);
}

TEST_F(Find, SortDialogFollowsFieldOrderNotChoiceOrder) {
    Open(frmFind::kSortMode);
    EXPECT_EQ(find.windowTitle(), "排序");
    QSignalSpy sorted(&find, &frmFind::SortNow);
    find.SetListChoice(6, "降序");
    find.SetListChoice(1, "升序");
    find.Ok();
    find.SetListChoice(1, "(无)");
    find.SetListChoice(6, "(无)");
    find.SetListChoice(5, "升序");
    find.Ok();
    ASSERT_EQ(sorted.size(), 2);
    EXPECT_EQ(sorted[0][0].toString(), "t1.FNumber ASC,v1.FBatchNo DESC");
    EXPECT_EQ(sorted[1][0].toString(), "t2.FBOMNumber ASC");
}

TEST_F(Find, ItemLookupWritesTheChosenNumberOrName) {
    auto chosen = std::make_shared<test::FakeObject>("Item");
    chosen->Returns("Number", "01.001").Returns("Name", " 电机外壳 ");
    auto result = std::make_shared<test::FakeObject>("Result");
    result->Returns("ReturnObject", QVariant::fromValue(host::ObjectPtr(chosen)));
    auto glView = test::RegisterFake("QOREBCGLView.GLView");
    glView->Returns("ItemLookup", QVariant::fromValue(host::ObjectPtr(result)));
    Open(frmFind::kFilterMode);
    find.LookupValue(1);
    find.LookupValue(2);
    EXPECT_EQ(find.Grid()->item(0, 2)->text(), "01.001");
    EXPECT_EQ(find.Grid()->item(1, 2)->text(), "电机外壳");
    EXPECT_EQ(glView->CallsOf("ItemLookup")[0].args[2], "FErpClsID=7");
}
