#pragma once

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/controls/PropertyGrid.h"
#include "src/host/ProgIds.h"
#include "src/ui/edit/frmProperty.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakeListControl.h"
#include "tests/ui/ListScene.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <vector>

namespace qor::test {

// The host as the edit window sees it, over the list scene's company plus
// item 01.02.001 (2048 控制板 12V) and the stock batch B1. Pickers answer what
// the test chose; the save component keeps every request and answers
// saveAnswer with saveMessage.
class EditHost {
public:
    EditHost() {
        RegisterFake(host::progid::kGetData)
            ->On("GetItemDetail",
                 [](QVariantList& args) { return Found(ToInt32(args.value(3)), NullToEmpty(args.value(2))); })
            .On("ExecuteSql", [](QVariantList&) {
                return Answer({"FBillNo", "FEntryID"}, {{"SO1", 2}});
            });
        host.glData->On("GetItem", [](QVariantList&) {
            return QVariant::fromValue(host::ObjectPtr(std::make_shared<FakeObject>("Item")));
        });
        // Order SO1 has one open line, of item 1024.
        classInfo->On("GetData", [](QVariantList& args) {
            const QString sql = NullToEmpty(args.value(1));
            const bool found = sql.contains("u1.FBillNo='SO1'") && !sql.contains("v1.FItemID=2048");
            return Answer({"FInterID", "FBillNo", "FItemID", "FItemName", "FItemNumber", "FModel", "FErpClsID",
                           "FBomNumber", "FBomInterID"},
                          found ? Table{{3, "SO1", 1024, "电机外壳", "01.01.001", "220V", 7, "BOM1", 7}} : Table{});
        });
        saveData->On("SaveBatchTraceData", [this](QVariantList& args) {
            requests.push_back(args.value(1).value<VectorPtr>());
            args[2] = saveMessage;
            return QVariant(saveAnswer);
        });
        glView->On("ItemLookup", [this](QVariantList&) {
            auto properties = Dictionary::New();
            properties->Set("FNumber", pickedItem);
            auto item = std::make_shared<FakeObject>("Item");
            item->Returns("Properties", QVariant::fromValue(properties));
            auto choice = std::make_shared<FakeObject>("ItemChoice");
            choice->Returns("ReturnOK", !pickedItem.isEmpty())
                .Returns("ReturnObject", QVariant::fromValue(host::ObjectPtr(item)));
            return QVariant::fromValue(host::ObjectPtr(choice));
        });
        baseList->Returns("Show", Answer({"FItemID", "FBatchNo"}, {{1024, "B1"}}));
        auto bom = Dictionary::New();
        bom->Set("FInterID", 7);
        bom->Set("FBomNumber", "BOM1");
        bomInfo->Returns("GetBomList", QVariant::fromValue(bom));
        host.sysInfo->Returns("GetListInfo", Answer({"FLogicStr"}, {{"|FModule:1099|FModelDetail:20|"}}));
        orderList.ChooseRow(3, 2);
    }

    // The sales-order statements the window ran.
    QStringList OrderStatements() const { return ArgTexts(classInfo->CallsOf("GetData"), 1); }
    // The operation-log texts written, in order.
    QStringList LogTexts() const { return ArgTexts(host.glData->CallsOf("WriteLog"), 2); }

    FakeHost host;
    FakeObjectPtr classInfo = RegisterFake(host::progid::kClassInfo);
    FakeObjectPtr saveData = RegisterFake(host::progid::kSaveData);
    FakeObjectPtr glView = RegisterFake(host::progid::kGLView);
    FakeObjectPtr baseList = RegisterFake(host::progid::kBaseList);
    FakeObjectPtr bomInfo = RegisterFake(host::progid::kGetBomInfo);
    FakeListControl orderList;

    QString pickedItem = "01.02.001";  // empty: the item picker is left without a choice
    int saveAnswer = 1;
    QString saveMessage = "保存成功！";
    std::vector<VectorPtr> requests;

private:
    using Table = QList<QVariantList>;
    static QVariant Answer(const QStringList& fields, const Table& rows) {
        return QVariant::fromValue(Rows(fields, rows));
    }
    // What the code search finds for a typed code of look-up class cls.
    static QVariant Found(int cls, const QString& code) {
        if (cls == 4)
            return Answer({"FItemID", "FName", "FNumber", "FModel"},
                          code == "01.01.001"   ? Table{{1024, "电机外壳", code, "220V"}}
                          : code == "01.02.001" ? Table{{2048, "控制板", code, "12V"}}
                                                : Table{});
        if (cls == 18) return Answer({"FBatchNo"}, code == "B1" ? Table{{code}} : Table{});
        return Answer({"FInterID", "FBomNumber"}, code == "BOM1" ? Table{{7, code}} : Table{});
    }
    static QStringList ArgTexts(const std::vector<RecordedCall>& calls, int arg) {
        QStringList out;
        for (const auto& call : calls) out.append(NullToEmpty(call.args.value(arg)));
        return out;
    }
};

// An edit window over the EditHost company, shown and driven by keys.
class EditWindow : public ::testing::Test {
protected:
    void SetUp() override {
        BuildColumnSchema(schema);
        ledger.SetCols(7);
    }

    // A new record from item 1024, as the list's New command opens it.
    void OpenNew() { Open(EditStatus::New, ItemRecord(), 1, 0); }
    // Record position (1-based) of the three list records, in status.
    void OpenExisting(EditStatus status, int position) {
        RecordsetPtr records = TraceRecords(3);
        records->Move(position - 1, MoveFrom::First);
        ledger.SetRows(4);
        Open(status, records, 2, 100 + position);
    }

    // Makes the value cell of row active and types text into it.
    void Type(int row, const QString& text) {
        window->Grid()->SetActiveCell(2, row);
        for (QChar c : text) QTest::keyClick(KeyTarget(), c.toLatin1());
    }
    // A key pressed and released where the focus is.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(KeyTarget(), key, modifiers); }
    QString Cell(int row) const { return window->Grid()->CellText(2, row); }
    QStringList Messages() const { return fakes.host.messages.Texts(); }

    EditHost fakes;
    VectorPtr schema;
    controls::LedgerGrid ledger;
    std::unique_ptr<frmProperty> window;

private:
    void Open(EditStatus status, RecordsetPtr records, int operKind, int interId) {
        window = std::make_unique<frmProperty>();
        window->SetRecord(std::move(records));
        window->SetStatus(status);
        window->SetDataProperty(schema);
        if (interId) {
            window->SetLdgFace(&ledger);
            window->SetInterID(interId);
        }
        window->OperKind = operKind;
        window->Load();
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->Grid()->setFocus();
    }
    // A window of the offscreen platform is not activated again when a modal
    // window it opened closes; the user's next key goes to its grid then.
    QWidget* KeyTarget() {
        if (!QApplication::focusWidget()) {
            QApplication::setActiveWindow(window.get());
            window->Grid()->setFocus();
        }
        return QApplication::focusWidget() ? QApplication::focusWidget() : window->Grid();
    }
};

}  // namespace qor::test
