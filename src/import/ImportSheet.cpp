#include "src/import/ImportSheet.h"

#include "platform/base/HostError.h"
#include "platform/base/SpreadsheetText.h"
#include "platform/base/VisibleText.h"

namespace qor {

namespace {

constexpr int kCaptionSearchRows = 10;
// The longest text a code or batch column of the company database holds.
constexpr int kLongestText = 255;

const char* const kCaptions[kImportColumnCount] = {"物料代码", "批号", "销售订单编号", "行号", "客户BOM编号", "禁用"};

}  // namespace

QString CaptionOf(ImportColumn column) { return QString::fromUtf8(kCaptions[static_cast<int>(column)]); }

ImportSheet ReadImportSheet(const Recordset& sheet) {
    const int cellColumns = sheet.FieldCount() - 1;
    const int rows = sheet.RecordCount();
    // The apostrophe an export put before text a spreadsheet would run as a formula goes again.
    const auto cell = [&sheet](int row, int column) {
        return WithoutNeutraliser(sheet.TextAt(column + 1, static_cast<size_t>(row)));
    };
    int captionRow = -1;
    int at[kImportColumnCount];
    for (int r = 0; r < rows && r < kCaptionSearchRows && captionRow < 0; ++r) {
        std::fill(std::begin(at), std::end(at), -1);
        for (int c = 0; c < cellColumns; ++c)
            for (int k = 0; k < kImportColumnCount; ++k)
                if (at[k] < 0 && cell(r, c).trimmed() == QString::fromUtf8(kCaptions[k])) at[k] = c;
        if (at[static_cast<int>(ImportColumn::Item)] >= 0 && at[static_cast<int>(ImportColumn::Batch)] >= 0)
            captionRow = r;
    }
    if (rows == 0) throw HostError(QStringLiteral("文件中没有任何数据。"));
    if (captionRow < 0)
        throw HostError(QStringLiteral("文件的前 %1 行中找不到同时有“物料代码”和“批号”两列标题的一行。"
                                       "请用引出的文件作样板：必须有这两列，可以有“销售订单编号”、“行号”、"
                                       "“客户BOM编号”和“禁用”列。")
                            .arg(kCaptionSearchRows));
    // A caption twice would leave it to chance which of the columns is read.
    for (int c = 0; c < cellColumns; ++c)
        for (int k = 0; k < kImportColumnCount; ++k)
            if (at[k] >= 0 && at[k] != c && cell(captionRow, c).trimmed() == CaptionOf(static_cast<ImportColumn>(k)))
                throw HostError(QStringLiteral("第 %1 行的标题“%2”出现了不止一次。")
                                    .arg(sheet.ValueAt(0, static_cast<size_t>(captionRow)).toLongLong())
                                    .arg(CaptionOf(static_cast<ImportColumn>(k))));
    ImportSheet result;
    for (int k = 0; k < kImportColumnCount; ++k) result.has[k] = at[k] >= 0;
    for (int r = captionRow + 1; r < rows; ++r) {
        ImportLine line;
        line.fileRow = static_cast<int>(sheet.ValueAt(0, static_cast<size_t>(r)).toLongLong());
        for (int k = 0; k < kImportColumnCount; ++k)
            if (at[k] >= 0) line.cells[k] = cell(r, at[k]);
        result.lines.push_back(std::move(line));
    }
    return result;
}

std::optional<bool> ParseBanFlag(const QString& text) {
    const QString flag = text.trimmed().toUpper();
    if (flag == QLatin1String("Y") || flag == QLatin1String("1") || flag == QStringLiteral("是") ||
        flag == QLatin1String("TRUE"))
        return true;
    if (flag.isEmpty() || flag == QLatin1String("N") || flag == QLatin1String("0") || flag == QStringLiteral("否") ||
        flag == QLatin1String("FALSE"))
        return false;
    return std::nullopt;
}

QString CellProblem(ImportColumn column, const QString& text) {
    const QString caption = CaptionOf(column);
    if (HasControlCharacters(text)) return QStringLiteral("%1中不能有控制字符！").arg(caption);
    if (text.size() > kLongestText) return QStringLiteral("%1不能超过 %2 个字符！").arg(caption).arg(kLongestText);
    return {};
}

}  // namespace qor
