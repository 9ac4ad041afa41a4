#include "EditHost.h"

#include "base/Convert.h"
#include "base/RecordsetBuilder.h"
#include "base/Variant.h"
#include "host/ProgIds.h"

namespace qor::test {

namespace {

QString Id(const char* progId) { return QString::fromLatin1(progId); }

RecordsetPtr Rows(const QStringList& fields, const QList<QVariantList>& rows) {
    RecordsetBuilder b;
    for (const QString& f : fields) b.AddField(f);
    for (const QVariantList& row : rows) b.AddRow(row);
    return b.Finish();
}

RecordsetPtr ItemDetail(int cls, const QString& code) {
    switch (cls) {
        case 4: {
            QList<QVariantList> rows;
            if (code == "01.01.001") rows.append({1024, "电机外壳", "01.01.001", "220V"});
            if (code == "01.02.001") rows.append({2048, "控制板", "01.02.001", "12V"});
            return Rows({"FItemID", "FName", "FNumber", "FModel"}, rows);
        }
        case 18:
            return Rows({"FItemID", "FName", "FNumber", "FBatchNo"},
                        code == "B1" ? QList<QVariantList>{{"B1", "B1", "B1", "B1"}} : QList<QVariantList>{});
        default:
            return Rows({"FItemID", "FName", "FNumber", "FInterID", "FBomNumber"},
                        code == "BOM1" ? QList<QVariantList>{{7, "BOM1", "BOM1", 7, "BOM1"}} : QList<QVariantList>{});
    }
}

RecordsetPtr OrderLines(const QString& sql) {
    QList<QVariantList> rows;
    if (sql.contains("u1.FBillNo='SO1'") && !sql.contains("v1.FItemID=2048"))
        rows.append({3, "SO1", 1024, "电机外壳", "01.01.001", "220V", 7, "BOM1", 7});
    return Rows({"FInterID", "FBillNo", "FItemID", "FItemName", "FItemNumber", "FModel", "FErpClsID", "FBomNumber",
                 "FBomInterID"},
                rows);
}

}  // namespace

EditHost::EditHost()
    : getData(RegisterFake(Id(host::progid::kGetData))),
      classInfo(RegisterFake(Id(host::progid::kClassInfo))),
      saveData(RegisterFake(Id(host::progid::kSaveData))),
      glView(RegisterFake(Id(host::progid::kGLView))),
      baseList(RegisterFake(Id(host::progid::kBaseList))),
      bomInfo(RegisterFake(Id(host::progid::kGetBomInfo))) {
    getData->On("GetItemDetail", [](QVariantList& args) {
        return QVariant::fromValue(ItemDetail(ToInt32(args.value(3)), NullToEmpty(args.value(2))));
    });
    getData->On("ExecuteSql", [](QVariantList&) {
        return QVariant::fromValue(Rows({"FBillNo", "FEntryID"}, {{"SO1", 2}}));
    });
    host.glData->On("GetItem", [](QVariantList&) {
        return QVariant::fromValue(host::ObjectPtr(std::make_shared<FakeObject>("Item")));
    });
    classInfo->On("GetData",
                  [](QVariantList& args) { return QVariant::fromValue(OrderLines(NullToEmpty(args.value(1)))); });
    saveData->On("SaveBatchTraceData", [this](QVariantList& args) {
        requests.push_back(args.value(1).value<VectorPtr>());
        args[2] = saveMessage;
        return QVariant(saveAnswer);
    });

    glView->On("ItemLookup", [this](QVariantList&) {
        auto item = std::make_shared<FakeObject>("Item");
        auto properties = Dictionary::New();
        properties->Set("FNumber", pickedItem);
        item->Returns("Properties", QVariant::fromValue(properties));
        auto choice = std::make_shared<FakeObject>("ItemChoice");
        choice->Returns("ReturnOK", !pickedItem.isEmpty())
            .Returns("ReturnObject", QVariant::fromValue(host::ObjectPtr(item)));
        return QVariant::fromValue(host::ObjectPtr(choice));
    });
    baseList->Returns("Show", QVariant::fromValue(Rows({"FItemID", "FBatchNo"}, {{1024, "B1"}})));
    auto bom = Dictionary::New();
    bom->Set("FInterID", 7);
    bom->Set("FBomNumber", "BOM1");
    bomInfo->Returns("GetBomList", QVariant::fromValue(bom));
    host.sysInfo->Returns("GetListInfo",
                          QVariant::fromValue(Rows({"FLogicStr"}, {{"|FModule:1099|FModelDetail:20|"}})));
    orderList.ChooseRow(3, 2);
}

QStringList EditHost::OrderStatements() const {
    QStringList out;
    for (const auto& call : classInfo->CallsOf("GetData")) out.append(NullToEmpty(call.args.value(1)));
    return out;
}

QStringList EditHost::LogTexts() const {
    QStringList out;
    for (const auto& call : host.glData->CallsOf("WriteLog")) out.append(NullToEmpty(call.args.value(2)));
    return out;
}

RecordsetPtr ItemRecord() {
    return Rows({"FItemID", "FItemNumber", "FItemName", "FModel"}, {{1024, "01.01.001", "电机外壳", "220V"}});
}

RecordsetPtr TraceRecords(int count) {
    QList<QVariantList> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({1024, QStringLiteral("B%1").arg(i), 7, 3, i == 2 ? 1 : 0, "01.01.001", "电机外壳", "220V", "SO1",
                     "BOM1", 100 + i});
    return Rows({"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FItemNumber", "FItemName", "FModel",
                 "FOrderBillNo", "FCustBomNo", "FTraceID"},
                rows);
}

}  // namespace qor::test
