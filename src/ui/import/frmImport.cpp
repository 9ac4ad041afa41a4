#include "src/ui/import/frmImport.h"

#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/UserSetting.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBrush>
#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace qor {

// The import's rows as a table: 行号, 物料代码, 批号, 结果, 说明; refused rows
// in red.
class ImportRowsModel : public QAbstractTableModel {
public:
    explicit ImportRowsModel(const TraceImport& import, QObject* parent)
        : QAbstractTableModel(parent), import_(import) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(import_.Rows().size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kCaptions[] = {"行号", "物料代码", "批号", "结果", "说明"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 4) return {};
        return Translate(QString::fromUtf8(kCaptions[section]));
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const ImportRow& row = import_.Rows()[static_cast<size_t>(index.row())];
        const bool refused = row.verdict == ImportVerdict::Refused;
        if (role == Qt::ForegroundRole && refused) return QBrush(Qt::red);
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
            case 0:
                return row.fileRow;
            case 1:
                return row.item;
            case 2:
                return row.batch;
            case 3:
                return VerdictText(row.verdict);
            default:
                return row.message;
        }
    }

    void Changed() {
        beginResetModel();
        endResetModel();
    }

private:
    const TraceImport& import_;
};

frmImport::frmImport(TraceImport& import, const QString& fileName, QWidget* parent) : QDialog(parent), import_(import) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(Translate(QStringLiteral("引入")) + QStringLiteral(" - ") + QDir::toNativeSeparators(fileName));

    model_ = new ImportRowsModel(import_, this);
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(model_);
    shown_->setFilterKeyColumn(3);
    lvwRows_ = new QTableView(this);
    lvwRows_->setObjectName(QStringLiteral("lvwRows"));
    lvwRows_->setModel(shown_);
    lvwRows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwRows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwRows_->verticalHeader()->hide();
    lvwRows_->verticalHeader()->setDefaultSectionSize(lvwRows_->fontMetrics().height() + 6);
    lvwRows_->horizontalHeader()->setStretchLastSection(true);
    QFont font = lvwRows_->font();
    font.setPointSizeF(ReportFontSize());
    lvwRows_->setFont(font);
    for (int c = 0; c < 4; ++c) lvwRows_->resizeColumnToContents(c);

    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    chkRefusedOnly_ = new QCheckBox(Translate(QStringLiteral("只显示被拒绝的行(&R)")), this);
    chkRefusedOnly_->setObjectName(QStringLiteral("chkRefusedOnly"));
    chkPartial_ = new QCheckBox(Translate(QStringLiteral("只引入没有问题的行(&P)")), this);
    chkPartial_->setObjectName(QStringLiteral("chkPartial"));
    cmdOK_ = new QPushButton(Translate(QStringLiteral("确定")), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_ = new QPushButton(Translate(QStringLiteral("取消")), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(chkRefusedOnly_, &QCheckBox::toggled, this,
            [this](bool on) { shown_->setFilterFixedString(on ? VerdictText(ImportVerdict::Refused) : QString()); });
    connect(chkPartial_, &QCheckBox::toggled, this, &frmImport::UpdateState);
    connect(cmdOK_, &QPushButton::clicked, this, &frmImport::Ok);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* options = new QHBoxLayout;
    options->addWidget(chkRefusedOnly_);
    options->addWidget(chkPartial_);
    options->addStretch();
    options->addWidget(cmdOK_);
    options->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary_);
    layout->addWidget(lvwRows_, 1);
    layout->addLayout(options);
    resize(900, 560);
    UpdateState();
}

frmImport::~frmImport() = default;

QString frmImport::Summary() const { return lblSummary_->text(); }

void frmImport::UpdateState() {
    const int refused = import_.Count(ImportVerdict::Refused);
    const int writes = import_.Count(ImportVerdict::New) + import_.Count(ImportVerdict::Modify);
    QString summary = Translate(QStringLiteral("新增 %1 行，修改 %2 行，不变 %3 行，拒绝 %4 行。"))
                          .arg(import_.Count(ImportVerdict::New))
                          .arg(import_.Count(ImportVerdict::Modify))
                          .arg(import_.Count(ImportVerdict::Unchanged))
                          .arg(refused);
    if (refused > 0 && !chkPartial_->isChecked())
        summary += Translate(QStringLiteral("有被拒绝的行：请改正文件后重新引入，或者选择只引入没有问题的行。"));
    else if (writes == 0)
        summary += Translate(QStringLiteral("没有需要写入的行。"));
    lblSummary_->setText(summary);
    chkPartial_->setVisible(refused > 0);
    chkRefusedOnly_->setVisible(refused > 0);
    cmdOK_->setEnabled(writes > 0 && (refused == 0 || chkPartial_->isChecked()) && !outcome_);
}

void frmImport::Ok() {
    const int total = import_.Count(ImportVerdict::New) + import_.Count(ImportVerdict::Modify);
    QProgressDialog progress(Translate(QStringLiteral("正在引入……")), Translate(QStringLiteral("取消")), 0, total,
                             this);
    progress.setObjectName(QStringLiteral("prgImport"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    try {
        outcome_ = import_.Apply(chkPartial_->isChecked(), [&progress](int done, int) {
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    } catch (const std::exception& e) {
        outcome_ = TraceImport::Outcome::Failed;
        ShowMessage(kMessageNotice, Translate(QStringLiteral("引入失败，没有写入任何数据。")) + ErrorDescription(e));
    }
    progress.reset();
    model_->Changed();
    UpdateState();
    switch (*outcome_) {
        case TraceImport::Outcome::Written:
            accept();
            return;
        case TraceImport::Outcome::Cancelled:
            ShowMessage(kMessageNotice, Translate(QStringLiteral("已取消引入，没有写入任何数据。")));
            break;
        case TraceImport::Outcome::Refused:
        case TraceImport::Outcome::Failed:
            chkRefusedOnly_->setChecked(true);
            break;
    }
}

}  // namespace qor
