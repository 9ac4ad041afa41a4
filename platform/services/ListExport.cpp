#include "platform/services/ListExport.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/host/ComponentFactory.h"
#include "platform/host/HostProgIds.h"
#include "platform/host/RowSource.h"
#include "platform/services/CsvSheetWriter.h"
#include "platform/services/ExportDestination.h"
#include "platform/services/StagedFile.h"
#include "platform/services/XlsxSheetWriter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>
#include <memory>

namespace qor::services {

namespace {

constexpr int kExclamation = 48;
constexpr int kProgressStep = 50;  // rows between two updates of the progress window

std::unique_ptr<SheetWriter> WriterFor(SheetFormat format, const QString& path, bool raw) {
    if (format == SheetFormat::Csv) return std::make_unique<CsvSheetWriter>(path, raw);
    return std::make_unique<XlsxSheetWriter>(path);
}

}  // namespace

ListExport::ListExport(MessageDialog::Presentation presentation)
    : Dispatch(QString::fromLatin1(host::progid::kListExport)), presentation_(presentation) {
    Property(
        QStringLiteral("Cols"), [this] { return QVariant(static_cast<int>(columns_.size())); },
        [this](const QVariant& value) { SetCols(ToInt32(value)); });
    Property(
        QStringLiteral("Rows"), [this] { return QVariant(rows_); },
        [this](const QVariant& value) { rows_ = std::max(ToInt32(value), 0); });
    Property(
        QStringLiteral("FileName"), [this] { return QVariant(fileName_); },
        [this](const QVariant& value) { fileName_ = NullToEmpty(value); });
    Property(
        QStringLiteral("Raw"), [this] { return QVariant(raw_); },
        [this](const QVariant& value) { raw_ = ToBool(value); });
    Property(
        QStringLiteral("EventSink"), [this] { return QVariant::fromValue(sink_); },
        [this](const QVariant& value) { sink_ = value.value<host::ObjectPtr>(); });
    Method(QStringLiteral("SetColCaption"), [this](QVariantList& args) {
        ColumnAt(host::ArgInt(args, 0)).caption = host::ArgText(args, 1);
        return QVariant();
    });
    Method(QStringLiteral("SetColSize"), [this](QVariantList& args) {
        ColumnAt(host::ArgInt(args, 0)).size = std::max(host::ArgInt(args, 1), 0);
        return QVariant();
    });
    Method(QStringLiteral("Export"), [this](QVariantList& args) { return Export(host::ArgText(args, 0)); });
}

void ListExport::SetCols(int count) {
    if (count < 0) throw HostError(QStringLiteral("列数不能为负数: %1").arg(count));
    columns_.resize(static_cast<size_t>(count));
}

ListExport::Column& ListExport::ColumnAt(int k) {
    if (k < 1 || k > static_cast<int>(columns_.size()))
        throw HostError(QStringLiteral("列号 %1 超出范围 1 到 %2。").arg(k).arg(columns_.size()));
    return columns_[static_cast<size_t>(k - 1)];
}

int ListExport::Export(const QString& title) {
    QString path = fileName_;
    if (path.isEmpty()) {
        if (presentation_ == MessageDialog::Presentation::Console) {
            Tell(QStringLiteral("没有指定引出文件。"));
            return kFailed;
        }
        path = AskExportFile(title, QApplication::activeWindow());
        if (path.isEmpty()) return kCancelled;
    }
    try {
        const int result = Write(path, title);
        if (result == kWritten && presentation_ == MessageDialog::Presentation::Window) ShowWhereItWent(path);
        return result;
    } catch (const HostError& e) {
        Tell(QStringLiteral("引出失败：") + e.Description());
        return kFailed;
    }
}

int ListExport::Write(const QString& path, const QString& title) {
    const std::optional<SheetFormat> format = SheetFormatOf(path);
    if (!format) throw HostError(QStringLiteral("只能引出为 Excel 工作簿(.xlsx)或 CSV 文件(.csv)：%1").arg(path));
    if (!sink_) throw HostError(QStringLiteral("没有提供行数据的对象。"));

    StagedFile file(path);
    std::unique_ptr<SheetWriter> writer = WriterFor(*format, file.TemporaryPath(), raw_);
    QStringList captions;
    for (const Column& column : columns_) captions.append(column.caption);
    writer->Begin(title, captions);

    std::unique_ptr<QProgressDialog> progress;
    if (presentation_ == MessageDialog::Presentation::Window && rows_ > kProgressFrom) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("正在引出 %1 行……").arg(rows_),
                                                     QStringLiteral("取消"), 0, rows_, QApplication::activeWindow());
        progress->setObjectName(QStringLiteral("exportProgress"));
        progress->setWindowTitle(QStringLiteral("引出"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
    }
    const auto* source = dynamic_cast<const host::RowSource*>(sink_.get());
    for (int row = 1; row <= rows_; ++row) {
        writer->AddRow(LoadRow(row, source));
        if (progress && row % kProgressStep == 0) {
            progress->setValue(row);
            if (progress->wasCanceled()) return kCancelled;
        }
    }
    writer->Finish();
    file.Commit();
    return kWritten;
}

QStringList ListExport::LoadRow(int row, const host::RowSource* source) {
    QStringList texts;
    if (source) {
        texts = source->RowTexts(row);
        // As the event's cells: one per column, empty where the sink wrote none.
        texts.resize(static_cast<qsizetype>(columns_.size()));
    } else {
        // One list of cells serves every row; each row starts from empty cells.
        if (!cells_ || cells_->Count() != static_cast<int>(columns_.size())) {
            cells_ = Vector::New();
            for (size_t k = 0; k < columns_.size(); ++k) cells_->Add(QString());
        } else {
            for (int k = 1; k <= cells_->Count(); ++k) cells_->SetItem(k, QString());
        }
        QVariantList args{row, QVariant::fromValue(cells_)};
        sink_->CallRef(QStringLiteral("Export_LoadData"), args);
        const VectorPtr written = args.value(1).value<VectorPtr>();
        const VectorPtr& cells = written ? written : cells_;
        for (int k = 1; k <= cells->Count(); ++k) texts.append(NullToEmpty(cells->Item(k)));
    }
    const qsizetype count = std::min(texts.size(), static_cast<qsizetype>(columns_.size()));
    texts.resize(count);
    for (qsizetype k = 0; k < count; ++k) {
        const int size = columns_[static_cast<size_t>(k)].size;
        if (size > 0 && texts[k].size() > size) texts[k].truncate(size);
    }
    return texts;
}

void ListExport::ShowWhereItWent(const QString& path) const {
    const QString file = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QMessageBox box(QMessageBox::Information, QStringLiteral("栎澄提示"),
                    QStringLiteral("已引出 %1 行到\n%2").arg(rows_).arg(file), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("exportDone"));
    QPushButton* open = box.addButton(QStringLiteral("打开文件夹"), QMessageBox::ActionRole);
    box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
    box.exec();
    if (box.clickedButton() == open) QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

void ListExport::Tell(const QString& text) const {
    try {
        auto dialog = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kMessageDialog));
        dialog->Call(QStringLiteral("MsgBox"), {text, kExclamation, QStringLiteral("栎澄提示")});
    } catch (const HostError&) {
        // No dialog to tell it in: the result code still says that the export failed.
    }
}

}  // namespace qor::services
