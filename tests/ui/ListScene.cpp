#include "ListScene.h"

#include "base/RecordsetBuilder.h"
#include "component/ColumnSchema.h"
#include "controls/KeyedTreeView.h"

#include <gtest/gtest.h>
#include <QTest>

namespace qor::test {

RecordsetPtr Rows(const QStringList& fields, const QList<QVariantList>& rows) {
    RecordsetBuilder b;
    for (const QString& f : fields) b.AddField(f);
    for (const QVariantList& row : rows) b.AddRow(row);
    return b.Finish();
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

RecordsetPtr ItemRecord() {
    return Rows({"FItemID", "FItemNumber", "FItemName", "FModel"}, {{1024, "01.01.001", "电机外壳", "220V"}});
}

ListScene::ListScene(FakeHost& host) : host_(host) {
    BuildColumnSchema(schema);
    host.SetQueryHandler([this](const QString& sql) -> RecordsetPtr {
        if (sql.contains("FROM t_Item t1"))
            return Rows({"FItemID", "FName", "FNumber", "FParentID"},
                        {{10, "电机", "01", 0}, {11, "外壳", "01.01", 10}});
        if (sql.startsWith(" SELECT Distinct t1.FItemID"))
            return Rows({"FItemID", "FName", "FNumber", "FParentID", "FDetail"},
                        {{1024, "电机外壳", "01.01.001", 11, 1}});
        if (sql.startsWith("SELECT v1.FItemID"))
            return TraceRecords(sql.contains("FItemID=1024") ? records : otherRecords);
        if (sql.startsWith("Select FItemID,")) return ItemRecord();
        return nullptr;
    });
}

frmBatchTrace& ListScene::Open() {
    window = std::make_unique<frmBatchTrace>();
    window->SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
    window->SetVectCol(schema);
    window->Load();
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
}

void ListScene::ShowItem() {
    window->Tree()->SelectNode("KD1024");
    Q_EMIT window->Tree()->NodeClick("KD1024");
}

QStringList ListScene::ListStatements() const {
    QStringList out;
    for (const QString& s : host_.Statements())
        if (s.startsWith("SELECT v1.FItemID")) out.append(s);
    return out;
}

}  // namespace qor::test
