#include "platform/services/ExportDestination.h"

#include "platform/base/FileFolder.h"
#include "platform/controls/PlainFileIcons.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace qor::services {

namespace {

const QString kXlsxFilter = QStringLiteral("Excel 工作簿 (*.xlsx)");
const QString kCsvFilter = QStringLiteral("CSV UTF-8 逗号分隔 (*.csv)");

}  // namespace

std::optional<SheetFormat> SheetFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xlsx")) return SheetFormat::Xlsx;
    if (suffix == QLatin1String("csv")) return SheetFormat::Csv;
    return std::nullopt;
}

QString AskExportFile(const QString& title, QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("引出"));
    dialog.setObjectName(QStringLiteral("exportFileDialog"));
    controls::UsePlainFileIcons(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({kXlsxFilter, kCsvFilter});
    dialog.selectNameFilter(kXlsxFilter);
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("保存位置:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("保存类型:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kCsvFilter ? QStringLiteral("csv") : QStringLiteral("xlsx"));
    });
    dialog.setDirectory(FileDialogFolder());
    dialog.selectFile(title.isEmpty() ? QStringLiteral("引出") : title);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    QString path = dialog.selectedFiles().first();
    RememberFileFolder(path);
    if (!SheetFormatOf(path))
        path += dialog.selectedNameFilter() == kCsvFilter ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
    return path;
}

}  // namespace qor::services
