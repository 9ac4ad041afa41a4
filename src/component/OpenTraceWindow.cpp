#include "component/OpenTraceWindow.h"

#include "common/Messages.h"

#include <QDialog>

namespace qor {

void OpenTraceWindow(const VectorPtr& vectCol) {
    QDialog window;
    window.setObjectName(QStringLiteral("frmBatchTrace"));
    window.setWindowTitle(Translate(QStringLiteral("客户BOM批次对应表")));
    window.exec();
}

}  // namespace qor
