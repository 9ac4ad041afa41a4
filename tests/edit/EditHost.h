#pragma once

#include "base/Recordset.h"
#include "base/Vector.h"
#include "lookup/FakeListControl.h"
#include "support/FakeHost.h"

#include <vector>

namespace qor::test {

// The host as the edit window sees it, over a small company: items
// 01.01.001 (1024 电机外壳 220V) and 01.02.001 (2048 控制板 12V), the
// customer BOM BOM1 (7) of item 1024, its open sales order SO1 (3, line 2)
// and the stock batch B1. Pickers answer what the test chose; the save
// component keeps every request and answers saveAnswer with saveMessage.
class EditHost {
public:
    EditHost();

    // The sales-order statements the window ran.
    QStringList OrderStatements() const;
    // The operation-log texts written, in order.
    QStringList LogTexts() const;

    FakeHost host;
    FakeObjectPtr getData;
    FakeObjectPtr classInfo;
    FakeObjectPtr saveData;
    FakeObjectPtr glView;
    FakeObjectPtr baseList;
    FakeObjectPtr bomInfo;
    FakeListControl orderList;

    QString pickedItem = QStringLiteral("01.02.001");  // empty: the item picker is left without a choice
    int saveAnswer = 1;
    QString saveMessage = QStringLiteral("保存成功！");
    std::vector<VectorPtr> requests;
};

// The one-row item record the list window hands over for a new record.
RecordsetPtr ItemRecord();
// A list recordset of count records of item 1024: batches B1.., trace IDs
// 101.., record 2 banned.
RecordsetPtr TraceRecords(int count);

}  // namespace qor::test
