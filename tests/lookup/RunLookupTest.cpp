#include "FakeListControl.h"
#include "base/Convert.h"
#include "base/RecordsetBuilder.h"
#include "base/Variant.h"
#include "common/ShortNumberSwitch.h"
#include "host/Dispatch.h"
#include "host/ProgIds.h"
#include "lookup/Lookups.h"
#include "support/FakeHost.h"
#include "support/ModalDriver.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

const QString kLookupFailed = QStringLiteral("发生错误！基础资料很有可能没有授权！");

QString Id(const char* progId) { return QString::fromLatin1(progId); }

// The result object of an item lookup, the way the host's picker answers.
class ItemChoice : public host::Dispatch {
public:
    ItemChoice(bool ok, DictionaryPtr properties) : Dispatch(QStringLiteral("Test.ItemChoice")) {
        Property(QStringLiteral("ReturnOK"), [ok] { return ok; });
        auto chosen = std::make_shared<test::FakeObject>(QStringLiteral("Test.Item"));
        chosen->Returns(QStringLiteral("Properties"), QVariant::fromValue(properties));
        Property(QStringLiteral("ReturnObject"),
                 [chosen, ok] { return ok ? QVariant::fromValue(host::ObjectPtr(chosen)) : QVariant(); });
    }
};

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

class Lookup : public ::testing::Test {
protected:
    void SetUp() override { SetUseShortNumber(false); }
    void TearDown() override { SetUseShortNumber(false); }

    test::FakeHost host;
    DictionaryPtr result = Filled({{"Kept", "x"}});
};

TEST_F(Lookup, ItemChoiceCopiesIdNameAndNumber) {
    SetUseShortNumber(true);
    auto glView = test::RegisterFake(Id(host::progid::kGLView));
    glView->On("ItemLookup", [](QVariantList&) {
        return QVariant::fromValue(host::ObjectPtr(std::make_shared<ItemChoice>(
            true, Filled({{"FItemID", 1024}, {"FName", "电机外壳"}, {"FNumber", "001"}, {"FModel", "220V"}}))));
    });

    EXPECT_EQ(RunLookup(kLookupItem, "00", " FErpClsID=7 ", result, 1), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=1024;FName=电机外壳;FNumber=001");

    const auto calls = glView->CallsOf("ItemLookup");
    ASSERT_EQ(calls.size(), 1u);
    const QVariantList& args = calls[0].args;
    EXPECT_EQ(args.mid(0, 3), (QVariantList{4, "00", " FErpClsID=7 "}));
    auto parameters = args[3].value<DictionaryPtr>();
    ASSERT_TRUE(parameters);
    EXPECT_EQ(parameters->Item("BeShortNumber"), QVariant(true));
    EXPECT_EQ(ToInt32(parameters->Item("GetDataType")), 1);
    EXPECT_EQ(parameters->Item("Search"), QVariant("00"));
}

TEST_F(Lookup, CancelledItemLookupLeavesTheResultUntouched) {
    auto glView = test::RegisterFake(Id(host::progid::kGLView));
    glView->On("ItemLookup", [](QVariantList&) {
        return QVariant::fromValue(host::ObjectPtr(std::make_shared<ItemChoice>(false, Dictionary::New())));
    });
    EXPECT_EQ(RunLookup(kLookupItem, "", "", result, 1), -1);
    glView->Returns("ItemLookup", QVariant());
    EXPECT_EQ(RunLookup(kLookupItem, "", "", result, 1), -1);
    EXPECT_EQ(Describe(*result), "Kept=x");
    EXPECT_TRUE(host.messages.Texts().isEmpty());
}

TEST_F(Lookup, BatchChoiceIsIdNameAndNumber) {
    auto batches = test::RegisterFake(Id(host::progid::kBaseList));
    batches->Returns("Show", QVariant::fromValue(Rows({"FItemID", "FBatchNo"}, {{"1024", "20260301-001"}})));

    EXPECT_EQ(RunLookup(kLookupBatch, "2026", " FItemID=1024", result, 1), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=20260301-001;FName=20260301-001;FNumber=20260301-001");
    EXPECT_EQ(batches->Property("Filter"), QVariant(" FItemID=1024"));
    EXPECT_EQ(batches->Property("KeyWord"), QVariant("2026"));
    ASSERT_EQ(batches->CallsOf("Show").size(), 1u);
    EXPECT_EQ(batches->CallsOf("Show")[0].args, (QVariantList{"16", 18})) << "the user id as text";
}

TEST_F(Lookup, AnEmptyOrMissingBatchListChoosesNothing) {
    auto batches = test::RegisterFake(Id(host::progid::kBaseList));
    batches->Returns("Show", QVariant::fromValue(Rows({"FBatchNo"}, {})));
    EXPECT_EQ(RunLookup(kLookupBatch, "", " FItemID=1", result, 1), -1);
    batches->Returns("Show", QVariant());
    EXPECT_EQ(RunLookup(kLookupBatch, "", " FItemID=1", result, 1), -1);
    EXPECT_EQ(Describe(*result), "Kept=x");
    EXPECT_TRUE(host.messages.Texts().isEmpty());
}

TEST_F(Lookup, AFailingPickerShowsTheFixedMessageWithTheReason) {
    EXPECT_EQ(RunLookup(kLookupBatch, "", "", result, 1), -1) << "no batch list component";
    ASSERT_EQ(host.messages.Texts().size(), 1);
    EXPECT_TRUE(host.messages.Texts()[0].startsWith(kLookupFailed));
    EXPECT_TRUE(host.messages.Texts()[0].contains(Id(host::progid::kBaseList)));
    EXPECT_EQ(host.messages.Shown()[0].kind, 0);
}

TEST_F(Lookup, ClassesWithoutAPickerDoNothing) {
    for (int cls : {0, 7, 100}) EXPECT_EQ(RunLookup(cls, "a", "b", result, 1), 1) << cls;
    EXPECT_EQ(Describe(*result), "Kept=x");
}

TEST_F(Lookup, BomChoiceFillsTheResultFromTheKeysAsTheHostSpellsThem) {
    auto bomInfo = test::RegisterFake(Id(host::progid::kGetBomInfo));
    bomInfo->Returns("GetBomList",
                     QVariant::fromValue(Filled({{"FINTERID", 55}, {"FBOMNUMBER", "KHBOM000055"}, {"FItemID", 1024}})));

    EXPECT_EQ(RunLookup(kLookupCustomerBom, "", " t1.FItemID=1024", result, 1), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=55;FNumber=KHBOM000055;FName=KHBOM000055");
    auto parameters = bomInfo->CallsOf("GetBomList")[0].args[0].value<DictionaryPtr>();
    ASSERT_TRUE(parameters);
    EXPECT_EQ(Describe(*parameters), "ShowMode=1;Filter= t1.FItemID=1024;Filter1=");
}

TEST_F(Lookup, ClosingTheBomListChoosesNothing) {
    auto bomInfo = test::RegisterFake(Id(host::progid::kGetBomInfo));
    bomInfo->Returns("GetBomList", QVariant::fromValue(Filled({{"FInterID", 0}, {"FBomNumber", ""}})));
    EXPECT_EQ(RunLookup(kLookupCustomerBom, "", " t1.FItemID=1", result, 1), -1);
    EXPECT_EQ(BomLookup(result, ""), 0);
    bomInfo->Returns("GetBomList", QVariant("not a dictionary"));
    EXPECT_EQ(BomLookup(result, ""), 0);
    EXPECT_EQ(Describe(*result), "Kept=x");
    EXPECT_TRUE(host.messages.Texts().isEmpty()) << "the BOM look-up reports nothing itself";
}

// The sales-order look-up: list 32 through frmList, then the order line read
// again through GetData.
class SalesOrderLookup : public Lookup {
protected:
    void SetUp() override {
        Lookup::SetUp();
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
            if (key == "propsstring") return QVariant(props);
            if (key == "username") return QVariant("abc");
            return QVariant(16);
        });
    }
    int32_t Choose(const QString& event) {
        listEvent = event;
        test::WhenModalShown([this](QWidget*) { list.widget->Send(listEvent); });
        return RunLookup(kLookupSalesOrder, "", filter, result, 1);
    }

    const QString filter = " u1.FItemID=1024 AND v1.FStatus>0";
    test::FakeListControl list;
    test::FakeObjectPtr getData = test::RegisterFake(Id(host::progid::kGetData));
    RecordsetPtr orderLine = Rows({"FBillNo", "FEntryID"}, {{"SEORD000007", "2"}});
    QStringList statements;
    QString listEvent;
    bool listRight = true;
};

TEST_F(SalesOrderLookup, AChosenLineGivesTheOrderItsNumberAndTheLine) {
    EXPECT_EQ(Choose("SelectOK"), 1);
    EXPECT_EQ(Describe(*result), "Kept=x;FItemID=7;FName=SEORD000007;FNumber=SEORD000007;FEntryID=2");
    EXPECT_EQ(list.control->Property("BaseInfo"), QVariant("A=1;B=2|16|abc"));
    EXPECT_EQ(ToInt32(list.control->Property("ListID")), 32);
    EXPECT_EQ(ToInt32(list.control->Property("ListShowStatus")), 2);
    EXPECT_EQ(list.control->Property("Filter"), QVariant(filter));
    EXPECT_EQ(ToInt32(list.control->Property("MultiSelect")), 0);
    EXPECT_EQ(statements, QStringList{"Select t1.FBillNo,t2.FEntryID From SEOrder t1 INNER JOIN SEOrderEntry t2 ON "
                                      "t1.FInterID=t2.FInterID Where t1.FInterID=7 AND t2.FEntryID=2"});
    EXPECT_TRUE(host.messages.Texts().isEmpty());
}

TEST_F(SalesOrderLookup, ALineGoneSinceTheListWasLoadedIsAnError) {
    orderLine = Rows({"FBillNo", "FEntryID"}, {});
    EXPECT_EQ(Choose("SelectOK"), -1);
    ASSERT_EQ(host.messages.Texts().size(), 1);
    EXPECT_TRUE(host.messages.Texts()[0].startsWith(kLookupFailed));
    EXPECT_EQ(Describe(*result), "Kept=x");
}

TEST_F(SalesOrderLookup, APropertyStringWithoutBracesFailsBeforeTheListOpens) {
    SetProps("UserID=16;UserName=abc");
    EXPECT_EQ(RunLookup(kLookupSalesOrder, "", filter, result, 1), -1);
    ASSERT_EQ(host.messages.Texts().size(), 1);
    EXPECT_TRUE(host.messages.Texts()[0].startsWith(kLookupFailed));
    EXPECT_TRUE(list.control->Calls().empty());
    EXPECT_EQ(Describe(*result), "Kept=x");
}

TEST_F(SalesOrderLookup, WithoutTheListRightTheLookupEndsAfterTheRefusal) {
    listRight = false;
    EXPECT_EQ(RunLookup(kLookupSalesOrder, "", filter, result, 1), 1);
    EXPECT_EQ(host.messages.Texts(), QStringList{"没有权限,请与系统管理员联系"});
    EXPECT_TRUE(list.control->Calls().empty());
    EXPECT_EQ(Describe(*result), "Kept=x");
}

TEST_F(SalesOrderLookup, LeavingTheListChoosesNothing) {
    EXPECT_EQ(Choose("Exit"), -1);
    EXPECT_TRUE(list.control->CallsOf("Selected").empty());
    EXPECT_TRUE(statements.isEmpty());
    EXPECT_TRUE(host.messages.Texts().isEmpty());
}

TEST_F(SalesOrderLookup, AListThatCannotLoadChoosesNothingSilently) {
    list.initAnswer = false;
    EXPECT_EQ(RunLookup(kLookupSalesOrder, "", filter, result, 1), -1);
    EXPECT_TRUE(host.messages.Texts().isEmpty());
}

TEST_F(SalesOrderLookup, AChoiceWithoutAnOrderIdIsReported) {
    list.ChooseRow(0, 2);
    EXPECT_EQ(Choose("SelectOK"), -1);
    EXPECT_EQ(host.messages.Texts(), QStringList{"未返回销售订单的代码!"});
    EXPECT_TRUE(statements.isEmpty());

    list.selected = Vector::New();
    EXPECT_EQ(Choose("SelectOK"), -1) << "no row chosen";
    EXPECT_EQ(Describe(*result), "Kept=x");
}

}  // namespace
