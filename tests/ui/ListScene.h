#pragma once

#include "platform/base/RecordsetBuilder.h"
#include "platform/base/Vector.h"
#include "platform/controls/KeyedTreeView.h"
#include "src/component/ColumnSchema.h"
#include "src/ui/list/frmBatchTrace.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace qor::test {

inline RecordsetPtr Rows(const QStringList& fields, const QList<QVariantList>& rows) {
    RecordsetBuilder b;
    for (const QString& f : fields) b.AddField(f);
    for (const QVariantList& row : rows) b.AddRow(row);
    return b.Finish();
}

// List records of item 1024 (01.01.001 电机外壳 220V) on sales order SO1 (3)
// and customer BOM BOM1 (7): batches B1.., trace IDs 101.., record 2 banned.
inline RecordsetPtr TraceRecords(int count) {
    QList<QVariantList> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({1024, QStringLiteral("B%1").arg(i), 7, 3, i == 2 ? 1 : 0, "01.01.001", "电机外壳", "220V", "SO1",
                     "BOM1", 100 + i});
    return Rows({"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FItemNumber", "FItemName", "FModel",
                 "FOrderBillNo", "FCustBomNo", "FTraceID"},
                rows);
}

// The item record the New command reads for item 1024.
inline RecordsetPtr ItemRecord() {
    return Rows({"FItemID", "FItemNumber", "FItemName", "FModel"}, {{1024, "01.01.001", "电机外壳", "220V"}});
}

// The list window over a small company: group 10 电机 holds group 11 外壳,
// which holds item 1024. The list of item 1024 has `records` records, any
// other list `otherRecords`.
class ListScene {
public:
    explicit ListScene(FakeHost& host) : host_(host) {
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

    // A new window on its own settings file, loaded and shown.
    frmBatchTrace& Open() {
        window = std::make_unique<frmBatchTrace>();
        window->SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
        window->SetVectCol(schema);
        window->Load();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }
    // Clicks item 1024's node.
    void ShowItem() {
        window->Tree()->SelectNode("KD1024");
        Q_EMIT window->Tree()->NodeClick("KD1024");
    }
    QStringList ListStatements() const { return host_.Statements().filter("SELECT v1.FItemID"); }

    int records = 5;
    int otherRecords = 7;
    QTemporaryDir dir;
    VectorPtr schema;
    std::unique_ptr<frmBatchTrace> window;

private:
    FakeHost& host_;
};

}  // namespace qor::test
