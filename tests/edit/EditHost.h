#pragma once

#include "lookup/FakeListControl.h"
#include "support/FakeHost.h"
#include "ui/ListScene.h"

#include <vector>

namespace qor::test {

// The host as the edit window sees it, over the list scene's company plus
// item 01.02.001 (2048 控制板 12V) and the stock batch B1. Pickers answer what
// the test chose; the save component keeps every request and answers
// saveAnswer with saveMessage.
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

}  // namespace qor::test
