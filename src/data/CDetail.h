#pragma once

#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"
#include "src/data/ColumnPlan.h"
#include "src/data/ListGrid.h"

#include <QString>
#include <optional>
#include <string>

namespace qor {

// Data access of the list window: builds the list statement, holds the list
// recordset, sizes the ledger grid to it and produces the text of each grid
// row on demand; also reads the item-group tree. Ledger row r (r >= 2) shows
// record r - 2 counted from the first.
class CDetail {
public:
    VectorPtr VectCol() const { return vectCol_; }
    void SetVectCol(VectorPtr schema) { vectCol_ = std::move(schema); }
    void SetLdg(ListGrid* grid) { ldg_ = grid; }

    QString GetTraceSQL(const QString& strFilter = QString(), const QString& strSort = QString()) const;
    // Runs strsql (when not empty) and sizes the grid; false after showing
    // the error. The grid is not redrawn here.
    bool TakeJournalData(const QString& strsql = QString());
    QString DRowData(int lRow, int* SColor = nullptr);
    // The same row as its cell texts, with the same effect on the grid's
    // hidden columns: what the grid, the export and the print show, so that
    // a "|" inside a value stays in its cell.
    QStringList DRowCells(int lRow);
    // The held list recordset itself; null until the first query.
    const RecordsetPtr& Record() const { return record_; }
    // Runs any SELECT; null for an empty statement or after showing the error.
    RecordsetPtr GetRecordset(const QString& strsql = QString()) const;

    // Items of ERP class 7; also prepares the group query of FetchParentItem.
    RecordsetPtr FetchItemDetail(int nParentID = 0);
    RecordsetPtr FetchParentItem() const;

private:
    VectorPtr vectCol_;
    ListGrid* ldg_ = nullptr;
    RecordsetPtr record_;
    QString parentGroupSql_;
    ColumnPlan plan_;
    std::string rowBuffer_;  // scratch space of DRowData, rewritten on every call

    // The record shown on ledger row lRow (from 2), the recordset positioned on it.
    std::optional<size_t> PositionOn(int lRow);
};

}  // namespace qor
