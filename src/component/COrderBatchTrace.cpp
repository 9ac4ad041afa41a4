#include "src/component/COrderBatchTrace.h"

#include "platform/base/Convert.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/common/SystemSettings.h"
#include "src/component/ColumnSchema.h"
#include "src/component/OpenTraceWindow.h"

#include <QtGlobal>

namespace qor {

namespace {

const QString kCategory = QStringLiteral("IC");

// The host's settings screen stores the switch as "0" or "1". Any other text
// that is not a number (an empty value, a hand-edited profile) leaves short
// numbers off: the full number is always a valid item code, so the lists and
// lookups keep working, and the administrator finds the reason in the log.
bool ShortNumberSetting() {
    const QString value = ReadSysValue(kCategory, QStringLiteral("UseShortNumber"), QStringLiteral("0"));
    try {
        return ToInt32(value) == 1;
    } catch (const std::exception&) {
        qWarning("%s",
                 qUtf8Printable(
                     QStringLiteral("系统参数 IC/UseShortNumber 的值“%1”不是数字，按不使用短代码处理。").arg(value)));
        return false;
    }
}

// Failures inside the window are the window's to report; one that still
// reaches here is shown so that it does not vanish with the window.
void ReportWindowFailure(const std::exception& error) {
    const QString text = Translate(QStringLiteral("客户BOM批次对应表无法打开：")) + ErrorDescription(error);
    try {
        ShowMessage(kMessageNotice, text);
    } catch (const std::exception&) {
        qWarning("%s", qUtf8Printable(text));
    }
}

}  // namespace

COrderBatchTrace::COrderBatchTrace() {
    SetUseShortNumber(ShortNumberSetting());
    vectCol_ = Vector::New();
    BuildColumnSchema(vectCol_);
}

bool COrderBatchTrace::IsUseOrderBatchTrace() const {
    return ReadSysValue(kCategory, QStringLiteral("UseOrderBatchTrace"), QStringLiteral("1")).trimmed() ==
           QLatin1String("1");
}

int32_t COrderBatchTrace::Show() {
    try {
        OpenTraceWindow(vectCol_);
    } catch (const std::exception& e) {
        ReportWindowFailure(e);
    }
    return 0;
}

}  // namespace qor
