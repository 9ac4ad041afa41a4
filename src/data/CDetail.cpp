#include "src/data/CDetail.h"

#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/data/ItemDataRights.h"
#include "src/data/TraceQueries.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {

RecordsetPtr GetAnyRecordset(const QString& sql) {
    auto connection = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kAppConnection));
    QVariantList args{sql};
    return AsRecordset(connection->CallRef(QStringLiteral("GetAnyRecordset"), args));
}

void ShowQueryError(const std::exception& e) {
    try {
        MsgBox(Translate(QStringLiteral("查询数据库时出错。原因:")) + ErrorDescription(e), kMsgInformation);
    } catch (const std::exception&) {
    }
}

void ShowNotice(const QString& prefix, const std::exception& e) { ShowNoticeQuietly(prefix + ErrorDescription(e)); }

}  // namespace

QString CDetail::GetTraceSQL(const QString& strFilter, const QString& strSort) const {
    return BuildTraceSql(strFilter, strSort, UseShortNumber(), ItemDataRights(QStringLiteral("v1")));
}

bool CDetail::TakeJournalData(const QString& strsql) {
    try {
        if (!strsql.isEmpty()) record_ = GetAnyRecordset(strsql);
        if (!record_) {
            if (ldg_) ldg_->SetRows(1);
            throw HostError(QStringLiteral("没有查询结果。"));
        }
        if (ldg_) ldg_->SetRows(record_->RecordCount() == 0 ? 1 : record_->RecordCount() + 1);
        return true;
    } catch (const std::exception& e) {
        ShowQueryError(e);
        return false;
    }
}

QString CDetail::DRowData(int lRow, int* SColor) {
    if (SColor) *SColor = 0;
    QString text;
    if (!ldg_ || !vectCol_) return text;
    const auto& plan = plan_.For(vectCol_, record_);
    const int columns = std::min(static_cast<int>(plan.size()), ldg_->Cols());
    if (lRow == 1) {
        for (int i = 1; i <= columns; ++i) {
            const ColumnPlanEntry& c = plan[static_cast<size_t>(i - 1)];
            ldg_->SetColHidden(i, !c.visible);
            text += c.caption;
            text += u'|';
        }
        return text;
    }
    const std::optional<size_t> shown = PositionOn(lRow);
    if (!shown) return text;
    const Recordset& rs = *record_;
    const size_t row = *shown;
    // The row is put together in UTF-8, as the values are stored, and
    // converted once.
    rowBuffer_.clear();
    for (int i = 1; i <= columns; ++i) {
        const ColumnPlanEntry& c = plan[static_cast<size_t>(i - 1)];
        ldg_->SetColHidden(i, !c.visible);
        if (c.field >= 0) {
            if (c.isFlag) {
                const QVariant v = rs.ValueAt(c.field, row);
                if (v.isValid() && v.toDouble() == 1.0) rowBuffer_ += 'Y';
            } else {
                rs.AppendUtf8(c.field, row, rowBuffer_);
            }
        }
        rowBuffer_ += '|';
    }
    return QString::fromUtf8(rowBuffer_.data(), static_cast<qsizetype>(rowBuffer_.size()));
}

std::optional<size_t> CDetail::PositionOn(int lRow) {
    if (lRow > ldg_->Rows() || !record_) return std::nullopt;
    Recordset& rs = *record_;
    rs.Move(lRow - 2, MoveFrom::First);
    if (rs.Eof())
        rs.MoveLast();
    else if (rs.Bof())
        rs.MoveFirst();
    if (rs.Eof() || rs.Bof()) return std::nullopt;
    return static_cast<size_t>(rs.CurrentRow());
}

QStringList CDetail::DRowCells(int lRow) {
    QStringList cells;
    if (!ldg_ || !vectCol_) return cells;
    const auto& plan = plan_.For(vectCol_, record_);
    const int columns = std::min(static_cast<int>(plan.size()), ldg_->Cols());
    const std::optional<size_t> shown = lRow == 1 ? std::nullopt : PositionOn(lRow);
    if (lRow != 1 && !shown) return cells;
    for (int i = 1; i <= columns; ++i) {
        const ColumnPlanEntry& c = plan[static_cast<size_t>(i - 1)];
        ldg_->SetColHidden(i, !c.visible);
        if (lRow == 1) {
            cells << c.caption;
        } else if (c.field < 0) {
            cells << QString();
        } else if (c.isFlag) {
            const QVariant v = record_->ValueAt(c.field, *shown);
            cells << (v.isValid() && v.toDouble() == 1.0 ? QStringLiteral("Y") : QString());
        } else {
            cells << record_->TextAt(c.field, *shown);
        }
    }
    return cells;
}

RecordsetPtr CDetail::GetRecordset(const QString& strsql) const {
    if (strsql.isEmpty()) return nullptr;
    try {
        return GetAnyRecordset(strsql);
    } catch (const std::exception& e) {
        ShowQueryError(e);
        return nullptr;
    }
}

RecordsetPtr CDetail::FetchItemDetail(int nParentID) {
    try {
        const DataRightFragments rights = ItemDataRights(QStringLiteral("t1"));
        parentGroupSql_ = BuildParentGroupSql(rights);
        return GetAnyRecordset(BuildItemDetailSql(nParentID, UseShortNumber(), rights));
    } catch (const std::exception& e) {
        ShowNotice(QStringLiteral("FetchItemDetail:"), e);
        return nullptr;
    }
}

RecordsetPtr CDetail::FetchParentItem() const {
    try {
        const DataRightFragments rights = ItemDataRights(QStringLiteral("t1"));
        return GetAnyRecordset(BuildParentItemSql(parentGroupSql_, UseShortNumber(), rights));
    } catch (const std::exception& e) {
        ShowNotice(QStringLiteral("FetchParentItem:"), e);
        return nullptr;
    }
}

}  // namespace qor
