#include "EditHost.h"

#include "base/Convert.h"
#include "base/Variant.h"
#include "host/ProgIds.h"

namespace qor::test {

namespace {

QString Id(const char* progId) { return QString::fromLatin1(progId); }

// What the code search finds for a typed code of look-up class cls.
RecordsetPtr ItemDetail(int cls, const QString& code) {
    if (cls == 4)
        return Rows({"FItemID", "FName", "FNumber", "FModel"},
                    code == "01.01.001"   ? QList<QVariantList>{{1024, "电机外壳", "01.01.001", "220V"}}
                    : code == "01.02.001" ? QList<QVariantList>{{2048, "控制板", "01.02.001", "12V"}}
                                          : QList<QVariantList>{});
    if (cls == 18) return Rows({"FBatchNo"}, code == "B1" ? QList<QVariantList>{{"B1"}} : QList<QVariantList>{});
    return Rows({"FInterID", "FBomNumber"}, code == "BOM1" ? QList<QVariantList>{{7, "BOM1"}} : QList<QVariantList>{});
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
    // Order SO1 has one open line, of item 1024.
    classInfo->On("GetData", [](QVariantList& args) {
        const QString sql = NullToEmpty(args.value(1));
        const bool found = sql.contains("u1.FBillNo='SO1'") && !sql.contains("v1.FItemID=2048");
        return QVariant::fromValue(
            Rows({"FInterID", "FBillNo", "FItemID", "FItemName", "FItemNumber", "FModel", "FErpClsID", "FBomNumber",
                  "FBomInterID"},
                 found ? QList<QVariantList>{{3, "SO1", 1024, "电机外壳", "01.01.001", "220V", 7, "BOM1", 7}}
                       : QList<QVariantList>{}));
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

}  // namespace qor::test
