#include "src/lookup/SalesOrderLookup.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "src/common/HostValues.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/Query.h"
#include "src/common/Rights.h"
#include "src/lookup/frmList.h"

namespace qor {

namespace {
constexpr int32_t kListShowStatus = 2;

// The order number and line of a chosen sales-order line, read again so that
// a line deleted since the list was loaded is not taken.
RecordsetPtr ReadOrderLine(int32_t interId, int32_t entryId) {
    auto line = ExecSQL(QStringLiteral("Select t1.FBillNo,t2.FEntryID From SEOrder t1 INNER JOIN SEOrderEntry t2 "
                                       "ON t1.FInterID=t2.FInterID Where t1.FInterID=%1 AND t2.FEntryID=%2")
                            .arg(interId)
                            .arg(entryId));
    if (!line || line->Eof()) throw HostError(QStringLiteral("所选的销售订单分录已不存在。"));
    return line;
}
}  // namespace

QString ListBaseInfo(const QString& propsString, const QString& userId, const QString& userName) {
    const qsizetype open = propsString.indexOf(u'{');
    const QString braced = open < 0 ? propsString : propsString.mid(open + 1);
    const qsizetype close = braced.indexOf(u'}');
    if (close < 0) throw HostError(QStringLiteral("属性串中没有用“{}”括起的连接信息。"));
    return braced.left(close) + u'|' + userId + u'|' + userName;
}

int32_t SalesOrderLookup(const QString& filter, const QString& userId, Dictionary& result) {
    if (!CheckListRight(kSalesOrderListId)) return 1;

    const QString baseInfo = ListBaseInfo(GetPropsString(), userId, GetUserName());
    frmList window;
    window.SetBaseInfo(baseInfo);
    window.SetListID(kSalesOrderListId);
    window.SetListShowStatus(kListShowStatus);
    window.SetFilter(filter);
    window.SetMultiSelect(false);
    window.InitData();
    window.exec();
    if (!window.OK()) return -1;

    const VectorPtr selected = window.Selected();
    if (!selected || selected->Count() == 0) return -1;
    const DictionaryPtr row = AsDictionary(selected->Item(1));
    if (!row) return -1;
    const int32_t interId = ToInt32(row->GetValue(QStringLiteral("FInterID"), 0));
    const int32_t entryId = ToInt32(row->GetValue(QStringLiteral("FEntryID"), 0));
    if (interId == 0) {
        ShowNoticeQuietly(Translate(QStringLiteral("未返回销售订单的代码!")));
        return -1;
    }

    const RecordsetPtr line = ReadOrderLine(interId, entryId);
    const QVariant billNo = line->Fields(QStringLiteral("FBillNo")).Value();
    result.Set(QStringLiteral("FItemID"), interId);
    result.Set(QStringLiteral("FName"), billNo);
    result.Set(QStringLiteral("FNumber"), billNo);
    result.Set(QStringLiteral("FEntryID"), line->Fields(QStringLiteral("FEntryID")).Value());
    return 1;
}

}  // namespace qor
