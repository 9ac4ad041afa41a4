#include "platform/controls/LedgerGrid.h"

#include "platform/controls/LedgerModel.h"
#include "platform/controls/LedgerPrint.h"
#include "platform/controls/Twips.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace qor::controls {

LedgerGrid::LedgerGrid(QWidget* parent) : QWidget(parent) {
    model_ = new LedgerModel([this](int row) { return RequestRow(row); }, this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("ledgerView"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    // The arrows move through the rows; Tab goes on to the window's other controls.
    view_->setTabKeyNavigation(false);
    view_->setCornerButtonEnabled(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->horizontalHeader()->setStretchLastSection(false);
    view_->installEventFilter(this);
    // The current row is the row shown selected, and none is while none is
    // (a reload keeps it without a signal). Qt's own current cell is not
    // followed: when the table takes the focus back after a reload, Qt makes
    // the first row current without selecting it, and no record is chosen.
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = view_->selectionModel()->selectedRows();
        currentRow_ = rows.isEmpty() ? 1 : rows.first().row() + 2;
    });
    view_->horizontalHeader()->setSectionsClickable(true);
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int pixels) {
        if (applying_ || section >= Cols() || pixels == 0) return;
        widths_[static_cast<size_t>(section)] = static_cast<int>(std::lround(PixelsToTwips(pixels, *this)));
        Q_EMIT ColumnResizedByUser(section + 1);
    });
    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { Q_EMIT HeaderClicked(section + 1); });
    connect(view_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT RowActivated(index.row() + 2); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    ApplyRowHeight();
}

LedgerGrid::~LedgerGrid() = default;

LedgerPrint& LedgerGrid::Printer() {
    if (!printer_) printer_ = std::make_unique<LedgerPrint>(*this);
    return *printer_;
}

QStringList LedgerGrid::RequestRow(int row) {
    QStringList cells;
    Q_EMIT RowCells(row, &cells);
    return cells;
}

int LedgerGrid::Rows() const { return model_->LedgerRows(); }

void LedgerGrid::SetRows(int rows) {
    model_->SetLedgerRows(rows);
    ShowCurrentRow();
}

int LedgerGrid::Cols() const { return model_->Columns(); }

void LedgerGrid::SetCols(int cols) {
    widths_.resize(static_cast<size_t>(std::max(cols, 0)), 1000);
    hidden_.resize(static_cast<size_t>(std::max(cols, 0)), false);
    model_->SetColumns(cols);
    for (int c = 1; c <= cols; ++c) ApplyColumn(c);
}

int LedgerGrid::ColWidth(int col) const {
    return col >= 1 && col <= Cols() ? widths_[static_cast<size_t>(col - 1)] : 0;
}

void LedgerGrid::SetColWidth(int col, int twips) {
    if (col < 1 || col > Cols()) return;
    widths_[static_cast<size_t>(col - 1)] = std::max(twips, 0);
    ApplyColumn(col);
}

bool LedgerGrid::ColHidden(int col) const { return col >= 1 && col <= Cols() && hidden_[static_cast<size_t>(col - 1)]; }

void LedgerGrid::SetColHidden(int col, bool hidden) {
    if (col < 1 || col > Cols() || hidden_[static_cast<size_t>(col - 1)] == hidden) return;
    hidden_[static_cast<size_t>(col - 1)] = hidden;
    // Row texts (the header's included) may set this while the view paints;
    // the view takes the change after the paint.
    QTimer::singleShot(0, this, [this, col] { ApplyColumn(col); });
}

void LedgerGrid::ApplyColumn(int col) {
    if (col < 1 || col > Cols()) return;
    const size_t i = static_cast<size_t>(col - 1);
    const bool hide = hidden_[i] || widths_[i] == 0;
    applying_ = true;
    view_->setColumnHidden(col - 1, hide);
    if (!hide) view_->setColumnWidth(col - 1, TwipsToPixels(widths_[i], *this));
    applying_ = false;
}

void LedgerGrid::SetRowHeight(int twips) {
    rowHeight_ = std::max(twips, 1);
    ApplyRowHeight();
}

void LedgerGrid::ApplyRowHeight() {
    const int pixels = std::max(TwipsToPixels(rowHeight_, *this), fontMetrics().height() + 2);
    view_->verticalHeader()->setMinimumSectionSize(1);
    view_->verticalHeader()->setDefaultSectionSize(pixels);
}

void LedgerGrid::SetBackColor(const QColor& color) {
    QPalette p = view_->palette();
    p.setColor(QPalette::Base, color);
    view_->setPalette(p);
}

void LedgerGrid::SetGridFont(const QFont& font) { setFont(font); }

void LedgerGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        view_->setFont(font());
        view_->horizontalHeader()->setFont(font());
        ApplyRowHeight();
    }
    QWidget::changeEvent(event);
}

void LedgerGrid::SetCurrentRow(int row) {
    currentRow_ = row;
    ShowCurrentRow();
}

void LedgerGrid::ShowCurrentRow() {
    const int row = currentRow_;
    if (row < 2) {
        view_->selectionModel()->clear();
        return;
    }
    if (row > Rows()) return;
    int col = 0;
    while (col < Cols() - 1 && view_->isColumnHidden(col)) ++col;
    const QModelIndex index = model_->index(row - 2, col);
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
}

void LedgerGrid::SetRowMuted(std::function<bool(int row)> muted) {
    model_->SetRowMuted(std::move(muted), palette().color(QPalette::Disabled, QPalette::Text));
}

void LedgerGrid::FitColumnToContents(int col) {
    if (col < 1 || col > Cols() || view_->isColumnHidden(col - 1)) return;
    const int wanted = std::max(static_cast<const QAbstractItemView*>(view_)->sizeHintForColumn(col - 1),
                                view_->horizontalHeader()->sectionSizeHint(col - 1));
    if (wanted <= view_->columnWidth(col - 1)) return;
    SetColWidth(col, static_cast<int>(std::ceil(PixelsToTwips(wanted, *this))));
}

void LedgerGrid::ShowSortColumn(int col, bool descending) {
    QHeaderView* header = view_->horizontalHeader();
    header->setSortIndicatorShown(col > 0);
    if (col > 0) header->setSortIndicator(col - 1, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QString LedgerGrid::CellText(int row, int col) const { return model_->CellText(row, col); }

void LedgerGrid::Refresh() {
    model_->Reload();
    // A current row that the reload left behind the last row (the last
    // record deleted) comes back to the last row, shown selected.
    currentRow_ = std::min(currentRow_, Rows());
    ShowCurrentRow();
}

bool LedgerGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && currentRow_ >= 2) {
            Q_EMIT RowActivated(currentRow_);
            return true;
        }
        // With no row chosen, the arrows choose the first row.
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && currentRow_ < 2 && Rows() >= 2) {
            SetCurrentRow(2);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qor::controls
