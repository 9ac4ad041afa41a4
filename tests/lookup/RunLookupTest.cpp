#include "FakeListControl.h"
#include "base/Convert.h"
#include "base/RecordsetBuilder.h"
#include "base/Variant.h"
#include "common/ShortNumberSwitch.h"
#include "host/ProgIds.h"
#include "lookup/Lookups.h"
#include "support/FakeHost.h"
#include "support/ModalDriver.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

const QString kLookupFailed = QStringLiteral("发生错误！基础资料很有可能没有授权！");

QString Id(const char* progId) { return QString::fromLatin1(progId); }

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

RecordsetPtr Rows(const QStringList& fields, const QList<QVariantList>& rows) {
    RecordsetBuilder b;
    for (const QString& f : fields) b.AddField(f, FieldType::Text);
    for (const QVariantList& row : rows) b.AddRow(row);
    return b.Finish();
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
TEST_F(Lookup, ItemAndBatchPickersGetTheirArgumentsAndACancelOrEmptyListCopiesNothing) {
    SetUseShortNumber(true);
    auto glView = test::RegisterFake(Id(host::progid::kGLView));
    auto cancelled = std::make_shared<test::FakeObject>(QStringLiteral("Test.ItemChoice"));
    cancelled->Returns("ReturnOK", false).Returns("ReturnObject", QVariant());
    glView->Returns("ItemLookup", QVariant::fromValue(host::ObjectPtr(cancelled)));
    EXPECT_EQ(RunLookup(kLookupItem, "00", " FErpClsID=7 ", result, 1), -1);
    EXPECT_EQ(Describe(*glView->CallsOf("ItemLookup")[0].args[3].value<DictionaryPtr>()),
              "BeShortNumber=True;GetDataType=1;Search=00");

    auto batches = test::RegisterFake(Id(host::progid::kBaseList));
    batches->Returns("Show", QVariant::fromValue(Rows({"FBatchNo"}, {})));
    EXPECT_EQ(RunLookup(kLookupBatch, "", " FItemID=1", result, 1), -1);
    EXPECT_EQ(batches->CallsOf("Show")[0].args, (QVariantList{"16", 18})) << "the user id as text";
    EXPECT_EQ(Describe(*result), "Kept=x");

    batches->Returns("Show", QVariant::fromValue(Rows({"FItemID", "FBatchNo"}, {{"1024", "20260301-001"}})));
    EXPECT_EQ(RunLookup(kLookupBatch, "2026", " FItemID=1024", result, 1), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=20260301-001;FName=20260301-001;FNumber=20260301-001");
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(Lookup, BomChoiceIsReadFromTheKeysAsTheHostSpellsThem) {
    auto bomInfo = test::RegisterFake(Id(host::progid::kGetBomInfo));
    bomInfo->Returns("GetBomList", QVariant::fromValue(Filled({{"FInterID", 0}, {"FBomNumber", ""}})));
    EXPECT_EQ(RunLookup(kLookupCustomerBom, "", " t1.FItemID=1", result, 1), -1) << "the list closed";
    EXPECT_EQ(Describe(*result), "Kept=x");

    bomInfo->Returns("GetBomList",
                     QVariant::fromValue(Filled({{"FINTERID", 55}, {"FBOMNUMBER", "KHBOM000055"}, {"FItemID", 1024}})));
    EXPECT_EQ(RunLookup(kLookupCustomerBom, "", " t1.FItemID=1024", result, 1), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=55;FNumber=KHBOM000055;FName=KHBOM000055");
    EXPECT_EQ(Describe(*bomInfo->CallsOf("GetBomList").back().args[0].value<DictionaryPtr>()),
              "ShowMode=1;Filter= t1.FItemID=1024;Filter1=");
    EXPECT_TRUE(Shown().isEmpty()) << "the BOM look-up reports nothing itself";
}

TEST_F(Lookup, AMissingPickerShowsTheFixedMessageWithTheReason) {
    EXPECT_EQ(RunLookup(kLookupBatch, "", "", result, 1), -1);
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown()[0].startsWith(kLookupFailed));
    EXPECT_TRUE(Shown()[0].contains(Id(host::progid::kBaseList)));
}

// The sales-order look-up: list 32 through frmList, then the order line read
// again through GetData.
class SalesOrderLookup : public Lookup {
protected:
    void SetUp() override {
        host.sysInfo->Returns("GetListInfo",
                              QVariant::fromValue(Rows({"FLogicStr"}, {{"|FModule:1004|FModelDetail:10|"}})));
        host.glData->On("AccessCheck", [this](QVariantList& args) {
            return QVariant(listRight && ToInt32(args[0]) == 1003 && ToInt32(args[1]) == 10);
        });
        SetProps("Conn={A=1;B=2};UserID=16;UserName=abc");
        getData->On("ExecuteSql", [this](QVariantList& args) {
            statements.append(NullToEmpty(args.value(1)));
            return QVariant::fromValue(orderLine);
        });
        list.ChooseRow(7, 2);
    }
    void SetProps(const QString& props) {
        host.shareProps->On("GetProperty", [props](QVariantList& args) {
            const QString key = NullToEmpty(args.value(1)).toLower();
            return key == "propsstring" ? QVariant(props) : key == "username" ? QVariant("abc") : QVariant(16);
        });
    }
    // Runs the look-up; the user sends event from the list window.
    int32_t Choose(const QString& event) {
        test::WhenModalShown([this, event](QWidget*) { list.widget->Send(event); });
        return RunLookup(kLookupSalesOrder, "", filter, result, 1);
    }

    const QString filter = " u1.FItemID=1024 AND v1.FStatus>0";
    test::FakeListControl list;
    test::FakeObjectPtr getData = test::RegisterFake(Id(host::progid::kGetData));
    RecordsetPtr orderLine = Rows({"FBillNo", "FEntryID"}, {{"SEORD000007", "2"}});
    QStringList statements;
    bool listRight = true;
};

TEST_F(SalesOrderLookup, AChosenLineGivesTheOrderItsNumberAndTheLine) {
    EXPECT_EQ(Choose("SelectOK"), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=7;FName=SEORD000007;FNumber=SEORD000007;FEntryID=2");
    EXPECT_EQ(list.control->Property("BaseInfo"), QVariant("A=1;B=2|16|abc"));
    EXPECT_EQ(ToInt32(list.control->Property("ListID")), 32);
    EXPECT_EQ(list.control->Property("Filter"), QVariant(filter));
    EXPECT_EQ(statements, QStringList{"Select t1.FBillNo,t2.FEntryID From SEOrder t1 INNER JOIN SEOrderEntry t2 ON "
                                      "t1.FInterID=t2.FInterID Where t1.FInterID=7 AND t2.FEntryID=2"});
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(SalesOrderLookup, ALineGoneOrAPropertyStringWithoutBracesIsAnError) {
    orderLine = Rows({"FBillNo", "FEntryID"}, {});
    EXPECT_EQ(Choose("SelectOK"), -1);

    SetProps("UserID=16;UserName=abc");
    const auto listCalls = list.control->Calls().size();
    EXPECT_EQ(RunLookup(kLookupSalesOrder, "", filter, result, 1), -1);
    EXPECT_EQ(list.control->Calls().size(), listCalls) << "the list never opened";

    ASSERT_EQ(Shown().size(), 2);
    for (const QString& text : Shown()) EXPECT_TRUE(text.startsWith(kLookupFailed)) << text.toStdString();
    EXPECT_EQ(Describe(*result), "Kept=x");
}

TEST_F(SalesOrderLookup, WithoutTheListRightTheLookupEndsAfterTheRefusal) {
    listRight = false;
    EXPECT_EQ(RunLookup(kLookupSalesOrder, "", filter, result, 1), 1);
    EXPECT_EQ(Shown(), QStringList{"没有权限,请与系统管理员联系"});
    EXPECT_TRUE(list.control->Calls().empty());
    listRight = true;
    EXPECT_EQ(Choose("Exit"), -1) << "with the right, leaving the list chooses nothing";
    EXPECT_EQ(Describe(*result), "Kept=x");
}

TEST_F(SalesOrderLookup, AChoiceWithoutAnOrderIdIsReported) {
    list.ChooseRow(0, 2);
    EXPECT_EQ(Choose("SelectOK"), -1);
    EXPECT_EQ(Shown(), QStringList{"未返回销售订单的代码!"});
    EXPECT_TRUE(statements.isEmpty());

    list.selected = Vector::New();
    EXPECT_EQ(Choose("SelectOK"), -1) << "no row chosen";
    EXPECT_EQ(Describe(*result), "Kept=x");
}

}  // namespace
