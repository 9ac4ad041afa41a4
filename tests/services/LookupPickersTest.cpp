#include "CompanyFixture.h"

#include "base/Convert.h"
#include "base/HostError.h"
#include "base/Variant.h"
#include "db/DemoCompany.h"
#include "host/ProgIds.h"
#include "services/RecordsetTableModel.h"
#include "support/ModalDriver.h"

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace qor::test {
namespace {

// The pickers and code searches on a small demo company, driven the way a
// user does: type into the search box, then Enter or Esc.
class LookupPickersTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (IsSkipped()) return;
        db::CreateDemoCompany(*database_, {.traces = 300, .items = 40, .groups = 6});
    }

    QVariant Value(const QString& sql, const QVariantList& params = {}) const {
        auto rs = database_->Query(sql, params);
        return rs->RecordCount() > 0 ? rs->Fields(0).Value() : QVariant();
    }
    int ItemWithCustomerBoms() const {
        return Value(QStringLiteral("SELECT MIN(FItemID) FROM ICBom WHERE FBomType = 3")).toInt();
    }

    // Answers the modal picker the next call opens: types text into its
    // search box, notes what it offers, then presses the keys there.
    void AnswerPicker(const QString& text, std::initializer_list<Qt::Key> keyList) {
        std::vector<Qt::Key> keys(keyList);
        WhenModalShown([this, text, keys](QWidget* modal) {
            auto* search = modal->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
            auto* table = modal->findChild<QTableView*>(QStringLiteral("grdRows"));
            ASSERT_TRUE(search && table);
            pickerName = modal->objectName();
            pickerTitle = modal->windowTitle();
            seeded = search->text();
            offered = table->model()->rowCount();
            offeredTexts.clear();
            for (int r = 0; r < offered; ++r) offeredTexts.append(table->model()->index(r, 0).data().toString());
            if (!text.isEmpty()) {
                search->clear();
                QTest::keyClicks(search, text);
            }
            shown = table->model()->rowCount();
            openAfterKeys.clear();
            for (Qt::Key key : keys) {
                QTest::keyClick(search, key);
                openAfterKeys.append(modal->isVisible());
            }
        });
    }

    QString pickerName;
    QString pickerTitle;
    QString seeded;
    int offered = -1;
    QStringList offeredTexts;
    int shown = -1;
    QList<bool> openAfterKeys;
};

QOR_INSTANTIATE_FOR_BACKENDS(LookupPickersTest);

TEST_P(LookupPickersTest, ItemLookupAnswersTheChosenItemsProperties) {
    const auto item = database_->Query(
        QStringLiteral("SELECT FItemID, FNumber, FShortNumber, FName, FModel FROM t_ICItem WHERE FErpClsID = 7 "
                       "ORDER BY FItemID DESC LIMIT 1"));
    auto parameters = Dictionary::New();
    parameters->Set(QStringLiteral("BeShortNumber"), false);
    parameters->Set(QStringLiteral("GetDataType"), 1);
    parameters->Set(QStringLiteral("Search"), QStringLiteral("0"));

    AnswerPicker(item->Fields(QStringLiteral("FNumber")).Text(), {Qt::Key_Return});
    auto answer = Create(host::progid::kGLView)
                      ->Call(QStringLiteral("ItemLookup"),
                             {4, QStringLiteral("0"), QStringLiteral(" FErpClsID=7 "), QVariant::fromValue(parameters)})
                      .value<host::ObjectPtr>();
    EXPECT_EQ(pickerName, "dlgItemLookup");
    EXPECT_EQ(seeded, "0");
    EXPECT_EQ(offered, Value(QStringLiteral("SELECT COUNT(*) FROM t_ICItem WHERE FErpClsID = 7 AND (FNumber LIKE '%0%' "
                                            "OR FName LIKE '%0%' OR FModel LIKE '%0%')"))
                           .toInt());
    EXPECT_EQ(shown, 1);

    ASSERT_TRUE(answer);
    EXPECT_TRUE(ToBool(answer->Get(QStringLiteral("ReturnOK"))));
    auto chosen = answer->Get(QStringLiteral("ReturnObject")).value<host::ObjectPtr>();
    ASSERT_TRUE(chosen);
    auto properties = chosen->Get(QStringLiteral("Properties")).value<DictionaryPtr>();
    ASSERT_TRUE(properties);
    for (const char* field : {"FItemID", "FNumber", "FName", "FModel"})
        EXPECT_EQ(NullToEmpty(properties->Item(QString::fromLatin1(field))),
                  item->Fields(QString::fromLatin1(field)).Text())
            << field;
    EXPECT_EQ(NullToEmpty(chosen->Get(QStringLiteral("Number"))), item->Fields(QStringLiteral("FNumber")).Text());
    EXPECT_EQ(NullToEmpty(chosen->Get(QStringLiteral("Name"))), item->Fields(QStringLiteral("FName")).Text());
    EXPECT_EQ(ToInt32(chosen->Get(QStringLiteral("ID"))), item->Fields(QStringLiteral("FItemID")).Value().toInt());
}

TEST_P(LookupPickersTest, ItemLookupWithShortNumbersAndWithoutAChoice) {
    const auto item = database_->Query(QStringLiteral("SELECT FShortNumber FROM t_ICItem ORDER BY FItemID LIMIT 1"));
    auto parameters = Dictionary::New();
    parameters->Set(QStringLiteral("BeShortNumber"), true);
    auto glView = Create(host::progid::kGLView);

    AnswerPicker(item->Fields(0).Text(), {Qt::Key_Return});
    auto answer = glView->Call(QStringLiteral("ItemLookup"), {4, QString(), QString(), QVariant::fromValue(parameters)})
                      .value<host::ObjectPtr>();
    auto chosen = answer->Get(QStringLiteral("ReturnObject")).value<host::ObjectPtr>();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(NullToEmpty(chosen->Get(QStringLiteral("Number"))), item->Fields(0).Text());
    EXPECT_EQ(offered, Count(QStringLiteral("t_ICItem")));

    AnswerPicker(QString(), {Qt::Key_Escape});
    answer = glView->Call(QStringLiteral("ItemLookup"), {4, QString(), QString(), QVariant::fromValue(parameters)})
                 .value<host::ObjectPtr>();
    ASSERT_TRUE(answer);
    EXPECT_FALSE(ToBool(answer->Get(QStringLiteral("ReturnOK"))));
    EXPECT_FALSE(answer->Get(QStringLiteral("ReturnObject")).value<host::ObjectPtr>());

    AnswerPicker(QStringLiteral("no such item"), {Qt::Key_Return, Qt::Key_Escape});
    answer = glView->Call(QStringLiteral("ItemLookup"), {4, QString(), QString(), QVariant::fromValue(parameters)})
                 .value<host::ObjectPtr>();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(openAfterKeys, (QList<bool>{true, false})) << "Enter on an empty list chooses nothing";
    EXPECT_FALSE(ToBool(answer->Get(QStringLiteral("ReturnOK"))));
}

TEST_P(LookupPickersTest, BatchListOffersStockAndTracedBatchesWithBannedOnesLast) {
    const int itemId = Value(QStringLiteral("SELECT FItemID FROM ICOrderBatchTrace WHERE FForbid = 1 LIMIT 1")).toInt();
    ASSERT_GT(itemId, 0);
    Exec(
        QStringLiteral("INSERT INTO ICInventory (FItemID, FBatchNo, FStockName, FQty) VALUES (?, 'O''Neil-1', 'A', 5)"),
        {itemId});
    const qint64 batches =
        Value(QStringLiteral("SELECT COUNT(*) FROM (SELECT FBatchNo FROM ICInventory WHERE FItemID = ? "
                             "UNION SELECT FBatchNo FROM ICOrderBatchTrace WHERE FItemID = ?) b"),
              {itemId, itemId})
            .toLongLong();
    const QStringList banned = [&] {
        QStringList texts;
        auto rs = database_->Query(
            QStringLiteral(
                "SELECT FBatchNo FROM ICOrderBatchTrace WHERE FItemID = ? AND FForbid = 1 ORDER BY FBatchNo DESC"),
            {itemId});
        for (; !rs->Eof(); rs->MoveNext()) texts.append(rs->Fields(0).Text());
        return texts;
    }();

    auto batchList = Create(host::progid::kBaseList);
    batchList->Put(QStringLiteral("Filter"), QStringLiteral(" FItemID=%1").arg(itemId));
    batchList->Put(QStringLiteral("KeyWord"), QStringLiteral("O'Neil"));
    AnswerPicker(QString(), {Qt::Key_Return});
    auto chosen = batchList->Call(QStringLiteral("Show"), {QStringLiteral("16"), 18}).value<RecordsetPtr>();
    EXPECT_EQ(pickerTitle, "批号");
    EXPECT_EQ(seeded, "O'Neil");
    EXPECT_EQ(shown, 1);
    ASSERT_TRUE(chosen);
    ASSERT_EQ(chosen->RecordCount(), 1);
    EXPECT_EQ(chosen->Fields(QStringLiteral("FBatchNo")).Text(), "O'Neil-1");
    EXPECT_EQ(chosen->Fields(QStringLiteral("FQty")).Value().toDouble(), 5.0);

    batchList->Put(QStringLiteral("KeyWord"), QString());
    AnswerPicker(QString(), {Qt::Key_Escape});
    EXPECT_FALSE(batchList->Call(QStringLiteral("Show"), {QStringLiteral("16"), 18}).value<RecordsetPtr>());
    EXPECT_EQ(offered, batches);
    EXPECT_EQ(offeredTexts.mid(offered - banned.size()), banned);
}

TEST_P(LookupPickersTest, BomListAnswersTheChosenCustomerBomOrZero) {
    const int itemId = ItemWithCustomerBoms();
    const auto bom = database_->Query(
        QStringLiteral("SELECT FInterID, FBOMNumber FROM ICBom WHERE FItemID = ? AND FBomType = 3 ORDER BY FBOMNumber "
                       "DESC LIMIT 1"),
        {itemId});
    auto parameters = Dictionary::New();
    parameters->Set(QStringLiteral("ShowMode"), 1);
    parameters->Set(QStringLiteral("Filter"), QStringLiteral(" t1.FItemID=%1").arg(itemId));
    parameters->Set(QStringLiteral("Filter1"), QString());
    auto bomInfo = Create(host::progid::kGetBomInfo);

    AnswerPicker(bom->Fields(1).Text(), {Qt::Key_Enter});
    QVariantList args{QVariant::fromValue(parameters)};
    auto chosen = bomInfo->CallRef(QStringLiteral("GetBomList"), args).value<DictionaryPtr>();
    EXPECT_EQ(offered, Count(QStringLiteral("ICBom"), QStringLiteral("FItemID = ? AND FBomType = 3"), {itemId}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(ToInt32(chosen->Item(QStringLiteral("FinterID"))), bom->Fields(0).Value().toInt());
    EXPECT_EQ(NullToEmpty(chosen->Item(QStringLiteral("FBomNUmber"))), bom->Fields(1).Text());
    EXPECT_EQ(ToInt32(chosen->Item(QStringLiteral("FItemID"))), itemId);

    AnswerPicker(QString(), {Qt::Key_Escape});
    chosen = bomInfo->CallRef(QStringLiteral("GetBomList"), args).value<DictionaryPtr>();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(ToInt32(chosen->Item(QStringLiteral("FInterID"))), 0);
}

TEST_P(LookupPickersTest, SalesOrderListReportsTheChosenLine) {
    const auto line = database_->Query(
        QStringLiteral("SELECT v1.FInterID, u1.FEntryID, v1.FBillNo FROM SEOrder v1 INNER JOIN SEOrderEntry u1 "
                       "ON v1.FInterID = u1.FInterID WHERE v1.FStatus > 0 AND u1.FMrpClosed = 0 AND u1.FEntryID = 2 "
                       "AND EXISTS (SELECT 1 FROM SEOrderEntry e WHERE e.FInterID = v1.FInterID AND e.FEntryID = 1 "
                       "AND e.FMrpClosed = 0) LIMIT 1"));
    ASSERT_EQ(line->RecordCount(), 1);
    const QString filter = QStringLiteral(" v1.FStatus>0 AND u1.FMrpClosed=0");
    auto list = Create(host::progid::kICList);
    list->Put(QStringLiteral("ListID"), 32);
    list->Put(QStringLiteral("Filter"), filter);
    list->Put(QStringLiteral("BaseInfo"), QStringLiteral("company.db|16|王工"));
    ASSERT_TRUE(ToBool(list->Call(QStringLiteral("InitData"))));
    EXPECT_TRUE(ToBool(list->Get(QStringLiteral("InitOK"))));
    auto fields = list->Get(QStringLiteral("GetListFieldsDes")).value<VectorPtr>();
    ASSERT_GE(fields->Count(), 3);
    EXPECT_EQ(NullToEmpty(fields->Item(3).value<DictionaryPtr>()->Item(QStringLiteral("FCaption"))), "订单编号");
    EXPECT_EQ(
        list->Get(QStringLiteral("GetListRs")).value<RecordsetPtr>()->RecordCount(),
        Count(QStringLiteral("SEOrder v1 INNER JOIN SEOrderEntry u1 ON v1.FInterID = u1.FInterID"), filter.trimmed()));

    auto* widget = qobject_cast<QWidget*>(list->Get(QStringLiteral("Widget")).value<QObject*>());
    ASSERT_TRUE(widget);
    QSignalSpy events(widget, SIGNAL(ListEvent(QString)));
    auto* search = widget->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    ASSERT_TRUE(search);
    QTest::keyClicks(search, QStringLiteral("no such order"));
    EXPECT_FALSE(ToBool(list->Get(QStringLiteral("RowSelected"))));
    search->clear();
    QTest::keyClicks(search, line->Fields(2).Text());
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Return);
    QTest::keyClick(search, Qt::Key_Escape);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0][0].toString(), "SelectOK");
    EXPECT_EQ(events[1][0].toString(), "Exit");

    EXPECT_TRUE(ToBool(list->Get(QStringLiteral("RowSelected"))));
    auto selected = list->Get(QStringLiteral("Selected")).value<VectorPtr>();
    ASSERT_EQ(selected->Count(), 1);
    auto row = selected->Item(1).value<DictionaryPtr>();
    EXPECT_EQ(ToInt32(row->Item(QStringLiteral("FInterID"))), line->Fields(0).Value().toInt());
    EXPECT_EQ(ToInt32(row->Item(QStringLiteral("FEntryID"))), 2) << "Down moved from line 1 to line 2";

    list->Call(QStringLiteral("Release"));
    EXPECT_FALSE(list->Get(QStringLiteral("GetListRs")).value<RecordsetPtr>());
    list->Put(QStringLiteral("ListID"), 99);
    EXPECT_FALSE(ToBool(list->Call(QStringLiteral("InitData")))) << "a list without a definition";
}

TEST_P(LookupPickersTest, CodeSearchesFindTheTypedCodeOfEachClass) {
    auto getData = Create(host::progid::kGetData);
    const auto search = [&getData](bool shortNumber, const QString& text, int cls, const QString& extra) {
        QVariantList args{QString(), shortNumber, text, cls, 16, extra};
        return getData->CallRef(QStringLiteral("GetItemDetail"), args).value<RecordsetPtr>();
    };
    const auto item = database_->Query(QStringLiteral(
        "SELECT FItemID, FNumber, FShortNumber, FName, FModel FROM t_ICItem WHERE FErpClsID = 7 LIMIT 1"));
    const QString number = item->Fields(QStringLiteral("FNumber")).Text();

    auto found = search(false, number, 4, QStringLiteral(" FErpClsID=7 "));
    ASSERT_EQ(found->RecordCount(), 1);
    for (const char* field : {"FItemID", "FName", "FNumber", "FModel"})
        EXPECT_EQ(found->Fields(QString::fromLatin1(field)).Text(), item->Fields(QString::fromLatin1(field)).Text());
    EXPECT_EQ(search(true, item->Fields(QStringLiteral("FShortNumber")).Text(), 4, QString())
                  ->Fields(QStringLiteral("FNumber"))
                  .Text(),
              item->Fields(QStringLiteral("FShortNumber")).Text());
    EXPECT_EQ(search(false, number, 4, QStringLiteral(" FErpClsID=2 "))->RecordCount(), 0);
    EXPECT_EQ(search(false, number + QStringLiteral("' OR '1'='1"), 4, QString())->RecordCount(), 0)
        << "typed text never changes the statement";

    const auto trace = database_->Query(QStringLiteral("SELECT FItemID, FBatchNo FROM ICOrderBatchTrace LIMIT 1"));
    const QString itemFilter = QStringLiteral(" FItemID=") + trace->Fields(0).Text();
    found = search(false, trace->Fields(1).Text(), 18, itemFilter);
    ASSERT_EQ(found->RecordCount(), 1);
    for (const char* field : {"FItemID", "FName", "FNumber", "FBatchNo"})
        EXPECT_EQ(found->Fields(QString::fromLatin1(field)).Text(), trace->Fields(1).Text()) << field;
    EXPECT_EQ(search(false, QStringLiteral("19990101-001"), 18, itemFilter)->RecordCount(), 0);

    const auto bom =
        database_->Query(QStringLiteral("SELECT FInterID, FBOMNumber, FItemID FROM ICBom WHERE FBomType = 3 LIMIT 1"));
    const QString bomFilter = QStringLiteral(" FItemID=%1 And FBomType=3").arg(bom->Fields(2).Text());
    found = search(false, bom->Fields(1).Text(), -101, bomFilter);
    ASSERT_EQ(found->RecordCount(), 1);
    EXPECT_EQ(found->Fields(QStringLiteral("FItemID")).Text(), bom->Fields(0).Text());
    EXPECT_EQ(found->Fields(QStringLiteral("FInterID")).Text(), bom->Fields(0).Text());
    for (const char* field : {"FName", "FNumber", "FBomNumber"})
        EXPECT_EQ(found->Fields(QString::fromLatin1(field)).Text(), bom->Fields(1).Text()) << field;
    EXPECT_EQ(search(false, bom->Fields(1).Text(), -101, QStringLiteral(" FItemID=0"))->RecordCount(), 0);

    EXPECT_THROW(search(false, number, 7, QString()), HostError);
}

TEST_P(LookupPickersTest, GetItemAnswersNothingForBarredClassesAndMissingItems) {
    const int itemId = Value(QStringLiteral("SELECT MIN(FItemID) FROM t_ICItem")).toInt();
    auto glData = Create(host::progid::kGLData);
    const auto getItem = [&glData](int cls, int id) {
        return glData->Call(QStringLiteral("GetItem"), {cls, id, QVariant(), QVariant(), true})
            .value<host::ObjectPtr>();
    };
    auto item = getItem(4, itemId);
    ASSERT_TRUE(item);
    EXPECT_EQ(ToInt32(item->Get(QStringLiteral("ID"))), itemId);
    EXPECT_FALSE(getItem(4, 999999));
    EXPECT_FALSE(getItem(1, itemId)) << "not an item of class 1";

    Exec(QStringLiteral("INSERT INTO t_UserDataRight (FUserID, FRightKind, FEnabled) VALUES (?, -4, 1)"),
         {kUserId + 1});
    EXPECT_TRUE(getItem(4, itemId)) << "another user is barred";
    Exec(QStringLiteral("INSERT INTO t_UserDataRight (FUserID, FRightKind, FEnabled) VALUES (?, -4, 1)"), {kUserId});
    EXPECT_FALSE(getItem(4, itemId));
}

TEST_P(LookupPickersTest, PickerRowsAreAWellBehavedModel) {
    services::RecordsetTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const std::vector<services::PickerColumn> columns{{QStringLiteral("FBatchNo"), QStringLiteral("批号")},
                                                      {QStringLiteral("FQty"), QStringLiteral("库存数量")}};
    model.Reset(database_->Query(QStringLiteral("SELECT FBatchNo, FQty FROM ICInventory")), columns);
    EXPECT_EQ(model.rowCount(), Count(QStringLiteral("ICInventory")));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "库存数量");
    model.Reset(nullptr, {});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_THROW(model.Reset(database_->Query(QStringLiteral("SELECT FBatchNo FROM ICInventory")), columns), HostError);
}

}  // namespace
}  // namespace qor::test
