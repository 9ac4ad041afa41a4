#pragma once

#include "base/Recordset.h"
#include "base/Vector.h"
#include "support/FakeHost.h"
#include "ui/list/frmBatchTrace.h"

#include <QTemporaryDir>
#include <memory>

namespace qor::test {

RecordsetPtr Rows(const QStringList& fields, const QList<QVariantList>& rows);
// List records of item 1024 (01.01.001 电机外壳 220V) on sales order SO1 (3)
// and customer BOM BOM1 (7): batches B1.., trace IDs 101.., record 2 banned.
RecordsetPtr TraceRecords(int count);
// The item record the New command reads for item 1024.
RecordsetPtr ItemRecord();

// The list window over a small company: group 10 电机 holds group 11 外壳,
// which holds item 1024. The list of item 1024 has `records` records, any
// other list `otherRecords`.
class ListScene {
public:
    explicit ListScene(FakeHost& host);

    // A new window on its own settings file, loaded and shown.
    frmBatchTrace& Open();
    // Clicks item 1024's node.
    void ShowItem();
    QStringList ListStatements() const;

    int records = 5;
    int otherRecords = 7;
    QTemporaryDir dir;
    VectorPtr schema;
    std::unique_ptr<frmBatchTrace> window;

private:
    FakeHost& host_;
};

}  // namespace qor::test
