#include "tests/services/CompanyFixture.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/db/DemoCompany.h"
#include "src/host/ProgIds.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QueryResults.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <tuple>

namespace qor::test {
namespace {

// What the picker that a call opened offered, and what became of it.
struct Picker {
    QString title;
    QStringList captions{};
    QString seeded;         // the search text it opened with
    QStringList offered{};  // the first column of its rows before the user typed
    int shown = -1;         // rows left after the user typed
    QList<bool> openAfterKeys{};
};

// The pickers and code searches on a small demo company, driven the way a
// user does: type into the search box, then Enter or Esc.
class LookupPickersTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (IsSkipped()) return;
        db::CreateDemoCompany(*database_, {.traces = 300, .items = 40, .groups = 6});
    }

    // Answers the modal picker the next call opens: types text into its
    // search box unless it is empty, then presses the keys there.
    void AnswerPicker(const QString& text, std::initializer_list<Qt::Key> keyList) {
        std::vector<Qt::Key> keys(keyList);
        WhenModalShown([this, text, keys](QWidget* modal) {
            auto* search = modal->findChild<QLineEdit*>("txtSearch");
            auto* table = modal->findChild<QTableView*>("grdRows");
            ASSERT_TRUE(search && table);
            picker = {.title = modal->windowTitle(), .seeded = search->text()};
            for (int c = 0; c < table->model()->columnCount(); ++c)
                picker.captions.append(table->model()->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < table->model()->rowCount(); ++r)
                picker.offered.append(table->model()->index(r, 0).data().toString());
            if (!text.isEmpty()) {
                search->clear();
                QTest::keyClicks(search, text);
            }
            picker.shown = table->model()->rowCount();
            for (Qt::Key key : keys) {
                QTest::keyClick(search, key);
                picker.openAfterKeys.append(modal->isVisible());
            }
        });
    }

    Picker picker;
};

QOR_INSTANTIATE_FOR_BACKENDS(LookupPickersTest);

TEST_P(LookupPickersTest, ItemLookupAnswersTheChosenItemOrNothing) {
    const auto item = database_->Query(
        "SELECT FItemID, FNumber, FShortNumber, FName, FModel FROM t_ICItem WHERE FErpClsID = 7 "
        "ORDER BY FItemID DESC LIMIT 1");
    auto glView = Create(host::progid::kGLView);
    const auto lookup = [&glView](const QString& search, const QString& filter, bool shortNumbers) {
        auto parameters = Dictionary::New();
        parameters->Set("BeShortNumber", shortNumbers);
        parameters->Set("GetDataType", 1);
        parameters->Set("Search", search);
        auto answer = glView->Call("ItemLookup", {4, search, filter, QVariant::fromValue(parameters)});
        return answer.value<host::ObjectPtr>();
    };

    AnswerPicker(item->Fields("FNumber").Text(), {Qt::Key_Return});
    auto answer = lookup("0", " FErpClsID=7 ", false);
    EXPECT_EQ(picker.seeded, "0");
    EXPECT_EQ(picker.shown, 1);
    ASSERT_TRUE(answer);
    EXPECT_TRUE(ToBool(answer->Get("ReturnOK")));
    auto chosen = answer->Get("ReturnObject").value<host::ObjectPtr>();
    ASSERT_TRUE(chosen);
    auto properties = chosen->Get("Properties").value<DictionaryPtr>();
    ASSERT_TRUE(properties);
    for (const char* field : {"FItemID", "FNumber", "FName", "FModel"})
        EXPECT_EQ(NullToEmpty(properties->Item(field)), item->Fields(field).Text()) << field;
    EXPECT_EQ(NullToEmpty(chosen->Get("Number")), item->Fields("FNumber").Text());
    EXPECT_EQ(NullToEmpty(chosen->Get("Name")), item->Fields("FName").Text());

    AnswerPicker(item->Fields("FShortNumber").Text(), {Qt::Key_Return});
    chosen = lookup("", "", true)->Get("ReturnObject").value<host::ObjectPtr>();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(NullToEmpty(chosen->Get("Number")), item->Fields("FShortNumber").Text());
    EXPECT_EQ(picker.offered.size(), Count("t_ICItem"));

    AnswerPicker(QString(), {Qt::Key_Escape});
    EXPECT_FALSE(ToBool(lookup("", "", true)->Get("ReturnOK")));

    AnswerPicker("no such item", {Qt::Key_Return, Qt::Key_Escape});
    EXPECT_FALSE(ToBool(lookup("", "", true)->Get("ReturnOK")));
    EXPECT_EQ(picker.shown, 0);
    EXPECT_EQ(picker.openAfterKeys, (QList<bool>{true, false})) << "Enter on an empty list chooses nothing";
}

// The batch list offers stock and traced batches with the banned ones last;
// the BOM list answers the chosen customer BOM, or zero.
TEST_P(LookupPickersTest, BatchAndBomListsAnswerTheChosenRowOrNothing) {
    const int itemId = Scalar(*database_, "SELECT FItemID FROM ICOrderBatchTrace WHERE FForbid = 1 LIMIT 1").toInt();
    ASSERT_GT(itemId, 0);
    Exec("INSERT INTO ICInventory (FItemID, FBatchNo, FStockName, FQty) VALUES (?, 'O''Neil-1', 'A', 5)", {itemId});
    const QStringList banned = test::Rows(
        *database_, "SELECT FBatchNo FROM ICOrderBatchTrace WHERE FItemID = ? AND FForbid = 1 ORDER BY FBatchNo DESC",
        {itemId});

    auto batchList = Create(host::progid::kBaseList);
    batchList->Put("Filter", QStringLiteral(" FItemID=%1").arg(itemId));
    batchList->Put("KeyWord", "O'Neil");
    AnswerPicker(QString(), {Qt::Key_Return});
    auto chosen = batchList->Call("Show", {"16", 18}).value<RecordsetPtr>();
    EXPECT_EQ(picker.title, "批号");
    EXPECT_EQ(picker.captions, (QStringList{"批号", "库存数量", "状态"}));
    EXPECT_EQ(picker.seeded, "O'Neil");
    EXPECT_EQ(picker.shown, 1);
    ASSERT_TRUE(chosen);
    ASSERT_EQ(chosen->RecordCount(), 1);
    EXPECT_EQ(chosen->Fields("FBatchNo").Text(), "O'Neil-1");
    EXPECT_EQ(chosen->Fields("FQty").Value().toDouble(), 5.0);

    batchList->Put("KeyWord", QString());
    AnswerPicker(QString(), {Qt::Key_Escape});
    EXPECT_FALSE(batchList->Call("Show", {"16", 18}).value<RecordsetPtr>());
    EXPECT_TRUE(picker.offered.contains("O'Neil-1"));
    EXPECT_EQ(picker.offered.mid(picker.offered.size() - banned.size()), banned);

    const int bomItem = Scalar(*database_, "SELECT MIN(FItemID) FROM ICBom WHERE FBomType = 3").toInt();
    const auto bom = database_->Query(
        "SELECT FInterID, FBOMNumber FROM ICBom WHERE FItemID = ? AND FBomType = 3 ORDER BY FBOMNumber DESC LIMIT 1",
        {bomItem});
    auto parameters = Dictionary::New();
    parameters->Set("ShowMode", 1);
    parameters->Set("Filter", QStringLiteral(" t1.FItemID=%1").arg(bomItem));
    parameters->Set("Filter1", QString());
    auto bomInfo = Create(host::progid::kGetBomInfo);

    AnswerPicker(bom->Fields(1).Text(), {Qt::Key_Enter});
    QVariantList args{QVariant::fromValue(parameters)};
    auto bomChosen = bomInfo->CallRef("GetBomList", args).value<DictionaryPtr>();
    EXPECT_EQ(picker.offered.size(), Count("ICBom", "FItemID = ? AND FBomType = 3", {bomItem}));
    ASSERT_TRUE(bomChosen);
    EXPECT_EQ(ToInt32(bomChosen->Item("FinterID")), bom->Fields(0).Value().toInt());
    EXPECT_EQ(NullToEmpty(bomChosen->Item("FBomNUmber")), bom->Fields(1).Text());
    EXPECT_EQ(ToInt32(bomChosen->Item("FItemID")), bomItem);

    AnswerPicker(QString(), {Qt::Key_Escape});
    bomChosen = bomInfo->CallRef("GetBomList", args).value<DictionaryPtr>();
    ASSERT_TRUE(bomChosen);
    EXPECT_EQ(ToInt32(bomChosen->Item("FInterID")), 0);
}

TEST_P(LookupPickersTest, SalesOrderListReportsTheChosenLine) {
    const auto line = database_->Query(
        "SELECT v1.FInterID, u1.FEntryID, v1.FBillNo FROM SEOrder v1 INNER JOIN SEOrderEntry u1 "
        "ON v1.FInterID = u1.FInterID WHERE v1.FStatus > 0 AND u1.FMrpClosed = 0 AND u1.FEntryID = 2 "
        "AND EXISTS (SELECT 1 FROM SEOrderEntry e WHERE e.FInterID = v1.FInterID AND e.FEntryID = 1 "
        "AND e.FMrpClosed = 0) LIMIT 1");
    ASSERT_EQ(line->RecordCount(), 1);
    const QString filter = " v1.FStatus>0 AND u1.FMrpClosed=0";
    auto list = Create(host::progid::kICList);
    list->Put("ListID", 32);
    list->Put("Filter", filter);
    list->Put("BaseInfo", "company.db|16|王工");
    ASSERT_TRUE(ToBool(list->Call("InitData")));

    auto* widget = qobject_cast<QWidget*>(list->Get("Widget").value<QObject*>());
    ASSERT_TRUE(widget);
    QSignalSpy events(widget, SIGNAL(ListEvent(QString)));
    auto* search = widget->findChild<QLineEdit*>("txtSearch");
    ASSERT_TRUE(search);
    QTest::keyClicks(search, "no such order");
    EXPECT_FALSE(ToBool(list->Get("RowSelected")));
    search->clear();
    QTest::keyClicks(search, line->Fields(2).Text());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Escape}) QTest::keyClick(search, key);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0][0].toString(), "SelectOK");
    EXPECT_EQ(events[1][0].toString(), "Exit");

    EXPECT_TRUE(ToBool(list->Get("RowSelected")));
    auto selected = list->Get("Selected").value<VectorPtr>();
    ASSERT_EQ(selected->Count(), 1);
    auto row = selected->Item(1).value<DictionaryPtr>();
    EXPECT_EQ(ToInt32(row->Item("FInterID")), line->Fields(0).Value().toInt());
    EXPECT_EQ(ToInt32(row->Item("FEntryID")), 2) << "Down moved from line 1 to line 2";
}

TEST_P(LookupPickersTest, CodeSearchesAndGetItemFindTheTypedCodeOfEachClass) {
    auto getData = Create(host::progid::kGetData);
    const auto search = [&getData](bool shortNumber, const QString& text, int cls, const QString& extra) {
        QVariantList args{QString(), shortNumber, text, cls, 16, extra};
        return getData->CallRef("GetItemDetail", args).value<RecordsetPtr>();
    };
    const auto item = database_->Query(
        "SELECT FItemID, FNumber, FShortNumber, FName, FModel FROM t_ICItem WHERE FErpClsID = 7 LIMIT 1");
    const QString number = item->Fields("FNumber").Text();
    const QString shortNumber = item->Fields("FShortNumber").Text();

    const QString itemId = item->Fields("FItemID").Text();
    const QString itemRow =
        QStringList{itemId, item->Fields("FName").Text(), number, item->Fields("FModel").Text()}.join(u'|');
    const auto trace = database_->Query("SELECT FItemID, FBatchNo FROM ICOrderBatchTrace LIMIT 1");
    const QString batch = trace->Fields(1).Text();
    const QString itemFilter = " FItemID=" + trace->Fields(0).Text();
    const auto bom = database_->Query("SELECT FInterID, FBOMNumber, FItemID FROM ICBom WHERE FBomType = 3 LIMIT 1");
    const QString bomId = bom->Fields(0).Text();
    const QString bomNumber = bom->Fields(1).Text();
    const QString bomFilter = QStringLiteral(" FItemID=%1 And FBomType=3").arg(bom->Fields(2).Text());
    // Typed text is bound, never spliced into the statement.
    const std::tuple<QString, int, QString, QStringList> searches[] = {
        {number, 4, " FErpClsID=7 ", {itemRow}},
        {number, 4, " FErpClsID=2 ", {}},
        {number + "' OR '1'='1", 4, QString(), {}},
        {batch, 18, itemFilter, {QStringList(4, batch).join(u'|')}},
        {"19990101-001", 18, itemFilter, {}},
        {bomNumber, -101, bomFilter, {QStringList{bomId, bomNumber, bomNumber, bomId, bomNumber}.join(u'|')}},
        {bomNumber, -101, " FItemID=0", {}},
    };
    for (const auto& [text, cls, extra, rows] : searches)
        EXPECT_EQ(test::Rows(*search(false, text, cls, extra)), rows) << text.toStdString();
    EXPECT_EQ(search(true, shortNumber, 4, QString())->Fields("FNumber").Text(), shortNumber);

    // Many codes at once find the same records, each with the item it belongs to.
    const auto searchMany = [&getData](const QStringList& codes, int cls, const QString& extra) {
        auto asked = Vector::New();
        for (const QString& code : codes) asked->Add(code);
        return test::Rows(
            *getData->Call("GetItemDetails", {QString(), false, QVariant::fromValue(asked), cls, 16, extra})
                 .value<RecordsetPtr>());
    };
    EXPECT_EQ(searchMany({number, "nothing", number + "' OR '1'='1"}, 4, " FErpClsID=7 "),
              QStringList{itemRow + u'|' + itemId});
    EXPECT_EQ(searchMany({bomNumber}, -101, QString()).first().split(u'|').last(), bom->Fields(2).Text());
    EXPECT_TRUE(searchMany({}, 4, QString()).isEmpty());

    // GetItem and GetItems answer nothing for barred classes and missing items.
    auto glData = Create(host::progid::kGLData);
    const auto getItem = [&glData](int cls, int id) {
        return glData->Call("GetItem", {cls, id, QVariant(), QVariant(), true}).value<host::ObjectPtr>();
    };
    const auto getItems = [&glData, &itemId](int cls) {
        auto ids = Vector::New();
        ids->Add(itemId.toInt());
        ids->Add(999999);
        return glData->Call("GetItems", {cls, QVariant::fromValue(ids)}).value<RecordsetPtr>()->RecordCount();
    };
    EXPECT_TRUE(getItem(4, itemId.toInt()));
    EXPECT_EQ(getItems(4), 1);
    EXPECT_FALSE(getItem(4, 999999));
    EXPECT_FALSE(getItem(1, itemId.toInt())) << "not an item of class 1";
    EXPECT_EQ(getItems(1), 0);

    const QString bar = "INSERT INTO t_UserDataRight (FUserID, FRightKind, FEnabled) VALUES (?, -4, 1)";
    Exec(bar, {kUserId + 1});
    EXPECT_TRUE(getItem(4, itemId.toInt())) << "another user is barred";
    Exec(bar, {kUserId});
    EXPECT_FALSE(getItem(4, itemId.toInt()));
    EXPECT_EQ(getItems(4), 0);
}

}  // namespace
}  // namespace qor::test
