#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/RecordsetBuilder.h"
#include "platform/base/Variant.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/host/ProgIds.h"
#include "src/lookup/Lookups.h"
#include "src/lookup/frmList.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakeListControl.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QTest>

using namespace qor;

namespace {

const QString kLookupFailed = "发生错误！基础资料很有可能没有授权！";

DictionaryPtr Filled(std::initializer_list<std::pair<const char*, QVariant>> entries) {
    auto d = Dictionary::New();
    for (const auto& [key, value] : entries) d->Set(QString::fromLatin1(key), value);
    return d;
}

QString Describe(const Dictionary& d) {
    QStringList parts;
    for (int i = 0; i < d.Count(); ++i) parts.append(d.KeyAt(i) + u'=' + NullToEmpty(d.ValueAt(i)));
    return parts.join(u';');
}

QVariant Rows(const QStringList& fields, const QList<QVariantList>& rows) {
    RecordsetBuilder b;
    for (const QString& f : fields) b.AddField(f);
    for (const QVariantList& row : rows) b.AddRow(row);
    return QVariant::fromValue(b.Finish());
}

// Every look-up writes into result only what was chosen: "Kept" stays.
class Lookup : public ::testing::Test {
protected:
    void TearDown() override { SetUseShortNumber(false); }
    QStringList Shown() const { return host.messages.Texts(); }

    test::FakeHost host;
    DictionaryPtr result = Filled({{"Kept", "x"}});
};

// The edit window's tests pick through these pickers; here what they do not see.
TEST_F(Lookup, PickersGetTheirArgumentsAndCopyOnlyAChoice) {
    SetUseShortNumber(true);
    auto glView = test::RegisterFake(host::progid::kGLView);
    auto cancelled = std::make_shared<test::FakeObject>("Test.ItemChoice");
    cancelled->Returns("ReturnOK", false).Returns("ReturnObject", QVariant());
    glView->Returns("ItemLookup", QVariant::fromValue(host::ObjectPtr(cancelled)));
    EXPECT_EQ(RunLookup(LookupClass::Item, "00", " FErpClsID=7 ", result, 1), -1);
    EXPECT_EQ(Describe(*glView->CallsOf("ItemLookup")[0].args[3].value<DictionaryPtr>()),
              "BeShortNumber=True;GetDataType=1;Search=00");

    EXPECT_EQ(RunLookup(LookupClass::Batch, "", "", result, 1), -1);
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown()[0].startsWith(kLookupFailed));
    EXPECT_TRUE(Shown()[0].contains(host::progid::kBaseList)) << "the reason follows the fixed text";

    auto batches = test::RegisterFake(host::progid::kBaseList);
    batches->Returns("Show", Rows({"FBatchNo"}, {}));
    EXPECT_EQ(RunLookup(LookupClass::Batch, "", " FItemID=1", result, 1), -1);
    EXPECT_EQ(batches->CallsOf("Show")[0].args, (QVariantList{"16", 18})) << "the user id as text";

    // The BOM choice is read from the keys as the host spells them.
    auto bomInfo = test::RegisterFake(host::progid::kGetBomInfo);
    bomInfo->Returns("GetBomList", QVariant::fromValue(Filled({{"FInterID", 0}, {"FBomNumber", ""}})));
    EXPECT_EQ(RunLookup(LookupClass::CustomerBom, "", " t1.FItemID=1", result, 1), -1) << "the list closed";
    EXPECT_EQ(Describe(*result), "Kept=x");

    bomInfo->Returns("GetBomList",
                     QVariant::fromValue(Filled({{"FINTERID", 55}, {"FBOMNUMBER", "KHBOM000055"}, {"FItemID", 1024}})));
    EXPECT_EQ(RunLookup(LookupClass::CustomerBom, "", " t1.FItemID=1024", result, 1), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=55;FNumber=KHBOM000055;FName=KHBOM000055");
    EXPECT_EQ(Describe(*bomInfo->CallsOf("GetBomList").back().args[0].value<DictionaryPtr>()),
              "ShowMode=1;Filter= t1.FItemID=1024;Filter1=");
    EXPECT_EQ(Shown().size(), 1) << "an empty list and the BOM look-up report nothing";
}

// The list window the sales-order look-up shows. The caller reads the chosen
// row from the control after the window ends, so only closing the window
// unloads it; a refused initialization closes it as soon as it is shown.
TEST(ListWindow, OnlySelectOkWithARowChoosesAndOnlyClosingUnloads) {
    test::FakeListControl list;
    // {how the user leaves, what is done on the window, chosen, releases}
    const std::tuple<const char*, std::function<void(QWidget*)>, bool, size_t> ways[] = {
        {"exit", [&list](QWidget*) { list.widget->Send("Exit"); }, false, 0},
        {"escape", [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }, false, 0},
        {"select without a row, then with one",
         [&list](QWidget* modal) {
             list.rowSelected = false;
             list.widget->Send("SelectOK");
             EXPECT_TRUE(modal->isVisible());
             list.rowSelected = true;
             list.widget->Send("SelectOK");
         },
         true, 0},
        {"close", [](QWidget* modal) { modal->close(); }, false, 1},
    };
    frmList window;
    for (const auto& [what, act, ok, releases] : ways) {
        window.InitData();
        test::WhenModalShown(act);
        window.exec();
        EXPECT_EQ(window.OK(), ok) << what;
        EXPECT_EQ(list.control->CallsOf("Release").size(), releases) << what;
    }

    list.initAnswer = false;
    frmList refused;
    refused.InitData();
    EXPECT_EQ(refused.windowTitle(), QString());
    refused.exec();
    EXPECT_FALSE(refused.OK());
    EXPECT_EQ(list.control->CallsOf("Release").size(), 2u);
}

// The sales-order look-up: list 32 through frmList, then the order line read
// again through GetData.
class SalesOrderLookup : public Lookup {
protected:
    void SetUp() override {
        host.sysInfo->Returns("GetListInfo", Rows({"FLogicStr"}, {{"|FModule:1004|FModelDetail:10|"}}));
        host.glData->On("AccessCheck", [this](QVariantList&) { return QVariant(listRight); });
        getData->Returns("ExecuteSql", Rows({"FBillNo", "FEntryID"}, {{"SEORD000007", "2"}}));
        list.ChooseRow(7, 2);
    }
    // Runs the look-up; the user sends event from the list window.
    int32_t Choose(const QString& event) {
        test::WhenModalShown([this, event](QWidget* modal) {
            title = modal->windowTitle();
            list.widget->Send(event);
        });
        return RunLookup(LookupClass::SalesOrder, "", " u1.FItemID=1024", result, 1);
    }

    test::FakeListControl list;
    test::FakeObjectPtr getData = test::RegisterFake(host::progid::kGetData);
    bool listRight = true;
    QString title;
};

TEST_F(SalesOrderLookup, AChosenLineGivesTheOrderItsNumberAndTheLine) {
    EXPECT_EQ(Choose("SelectOK"), 1);
    EXPECT_EQ(title, "销售订单序时簿");
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=7;FName=SEORD000007;FNumber=SEORD000007;FEntryID=2");
    EXPECT_EQ(getData->CallsOf("ExecuteSql")[0].args.value(1),
              "Select t1.FBillNo,t2.FEntryID From SEOrder t1 INNER JOIN SEOrderEntry t2 ON "
              "t1.FInterID=t2.FInterID Where t1.FInterID=7 AND t2.FEntryID=2");
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(SalesOrderLookup, WithoutTheListRightAnOrderIdOrItsLineOrWithAPropertyStringWithoutBracesNothingIsChosen) {
    listRight = false;
    EXPECT_EQ(RunLookup(LookupClass::SalesOrder, "", "", result, 1), 1) << "the look-up ends after the refusal";
    EXPECT_TRUE(list.control->Calls().empty());

    listRight = true;
    list.ChooseRow(0, 2);
    EXPECT_EQ(Choose("SelectOK"), -1);
    EXPECT_EQ(Shown().mid(1), QStringList{"未返回销售订单的代码!"});
    list.selected = Vector::New();
    EXPECT_EQ(Choose("SelectOK"), -1) << "no row chosen, nothing shown";
    list.ChooseRow(7, 2);
    getData->Returns("ExecuteSql", Rows({"FBillNo", "FEntryID"}, {}));
    EXPECT_EQ(Choose("SelectOK"), -1) << "the line is gone";

    host.shareProps->Returns("GetProperty", "UserID=16;UserName=abc");
    const auto listCalls = list.control->Calls().size();
    EXPECT_EQ(RunLookup(LookupClass::SalesOrder, "", "", result, 1), -1);
    EXPECT_EQ(list.control->Calls().size(), listCalls) << "the list never opened";
    ASSERT_EQ(Shown().size(), 4);
    for (const QString& text : Shown().mid(2)) EXPECT_TRUE(text.startsWith(kLookupFailed)) << text.toStdString();
    EXPECT_EQ(Describe(*result), "Kept=x");
}

bool IsPlaceholder(const RecordsetPtr& rs) {
    return rs && rs->Eof() && rs->FieldNames() == QStringList{"TemInterID"} &&
           rs->Fields(0).Type() == FieldType::Integer;
}

// The code search answers `answer`; GLData lets the user use an item when mayUse.
class ItemDetail : public Lookup {
protected:
    void SetUp() override {
        getData->On("GetItemDetail",
                    [this](QVariantList&) { return answer ? QVariant::fromValue(answer) : QVariant(); });
        host.glData->On("GetItem", [this](QVariantList&) {
            return mayUse ? QVariant::fromValue(host::ObjectPtr(std::make_shared<test::FakeObject>("Item")))
                          : QVariant();
        });
    }
    test::FakeObjectPtr getData = test::RegisterFake(host::progid::kGetData);
    RecordsetPtr answer =
        Rows({"FItemID", "FName", "FNumber"}, {{1024, "电机外壳", "01.01.001"}}).value<RecordsetPtr>();
    bool mayUse = true;
};

TEST_F(ItemDetail, AnItemOfABaseDataClassIsTheAnswerOnlyWhenTheUserMayUseIt) {
    SetUseShortNumber(true);
    EXPECT_EQ(GetItemDetailRs(4, "01.01.001", 16, " FErpClsID=7 "), answer);
    EXPECT_EQ(getData->CallsOf("GetItemDetail")[0].args.mid(1),
              (QVariantList{true, "01.01.001", 4, 16, " FErpClsID=7 "}));
    EXPECT_EQ(host.glData->CallsOf("GetItem")[0].args, (QVariantList{4, 1024, QVariant(), QVariant(), true}));

    mayUse = false;
    for (int16_t cls : {1, 2, 3, 4, 5, 8, 9, 10, 1000, 9999})
        EXPECT_TRUE(IsPlaceholder(GetItemDetailRs(cls, "x", 16, ""))) << cls;
    for (int16_t cls : {7, 18, -101, 999, 10000}) EXPECT_EQ(GetItemDetailRs(cls, "x", 16, ""), answer) << cls;
    answer = Rows({"FItemID"}, {}).value<RecordsetPtr>();
    EXPECT_EQ(GetItemDetailRs(4, "nothing", 16, ""), answer);
    answer = nullptr;
    EXPECT_TRUE(IsPlaceholder(GetItemDetailRs(4, "x", 16, ""))) << "no answer at all";
    EXPECT_EQ(GetItemDetailRs(7, "x", 16, ""), nullptr) << "class 7 answers what the search answered";
}

TEST_F(ItemDetail, AFailingSearchIsReportedAndAnswersWhatItHad) {
    host::ComponentFactory::Unregister(host::progid::kGetData);
    EXPECT_EQ(GetItemDetailRs(4, "x", 16, ""), nullptr);
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown()[0].startsWith("数据读取错误。"));

    host::ComponentFactory::Register(host::progid::kGetData, [this] { return getData; });
    host.glData->On("GetItem", [](QVariantList&) -> QVariant { throw HostError("GLData 不可用"); });
    EXPECT_EQ(GetItemDetailRs(4, "x", 16, ""), answer) << "the answer obtained before the failure";
    EXPECT_TRUE(Shown().last().endsWith("GLData 不可用"));
}

}  // namespace
