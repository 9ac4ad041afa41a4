#include "src/component/OpenTraceWindow.h"

#include "src/ui/list/frmBatchTrace.h"

namespace qor {

void OpenTraceWindow(const VectorPtr& vectCol) {
    frmBatchTrace window;
    window.SetVectCol(vectCol);
    window.Load();
    window.exec();
}

}  // namespace qor
