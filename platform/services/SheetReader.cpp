#include "platform/services/SheetReader.h"

#include "platform/base/FileFailure.h"
#include "platform/base/HostError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>

namespace qor::services {

namespace {

const QByteArray kZipSignature("PK\x03\x04", 4);

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark dropped), else GB18030.
QString DecodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder gb18030("GB18030");
        text = gb18030(bytes);
    }
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

// The separator the first row uses more, outside quotes: tab or comma.
QChar SeparatorOf(const QString& text) {
    int commas = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"') quoted = !quoted;
        if (quoted) continue;
        if (c == u'\n') break;
        commas += c == u',';
        tabs += c == u'\t';
    }
    return tabs > commas ? QChar(u'\t') : QChar(u',');
}

bool IsBlank(const QStringList& cells) {
    for (const QString& cell : cells)
        if (!cell.trimmed().isEmpty()) return false;
    return true;
}

}  // namespace

void RefuseTooManyRows(const QString& path, int maxRows) {
    throw HostError(QStringLiteral("文件 %1 超过 %2 行。一次最多引入 %2 行，请把它分成几个文件再引入。")
                        .arg(Shown(path))
                        .arg(maxRows));
}

std::vector<SheetRow> ReadCsv(const QByteArray& bytes, const QString& path, int maxRows) {
    const QString text = DecodeText(bytes);
    const QChar separator = SeparatorOf(text);
    std::vector<SheetRow> rows;
    SheetRow row{1, {}};
    QString cell;
    bool quoted = false;
    int line = 1;
    int quoteLine = 0;  // where the open quoted cell began
    const auto endRow = [&] {
        row.cells << cell;
        cell.clear();
        if (!IsBlank(row.cells)) {
            if (static_cast<int>(rows.size()) >= maxRows) RefuseTooManyRows(path, maxRows);
            rows.push_back(std::move(row));
        }
        row = SheetRow{line, {}};
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < n && text[i + 1] == u'"') {
                cell += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n') ++line;
                cell += c;
            }
        } else if (c == u'"' && cell.isEmpty()) {
            quoted = true;
            quoteLine = line;
        } else if (c == separator) {
            row.cells << cell;
            cell.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            ++line;
            endRow();
        } else {
            cell += c;
        }
    }
    // A quote never closed would take the rest of the file into one cell.
    if (quoted)
        throw HostError(QStringLiteral("%1 第 %2 行的引号没有结束：从那里到文件末尾都成了一个单元格。")
                            .arg(Shown(path))
                            .arg(quoteLine));
    if (!cell.isEmpty() || !row.cells.isEmpty()) endRow();
    return rows;
}

std::vector<SheetRow> ReadSheet(const QString& path, const QString& sheetName, int maxRows) {
    const QFileInfo info(path);
    if (!info.exists()) throw HostError(QStringLiteral("文件 %1 不存在。").arg(Shown(path)));
    if (!info.isFile()) throw HostError(QStringLiteral("%1 不是普通文件。").arg(Shown(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw HostError(FileReadFailure(path, errno));
    if (file.size() == 0) throw HostError(QStringLiteral("文件 %1 是空的。").arg(Shown(path)));
    const QString suffix = info.suffix().toLower();
    const bool zipped = file.peek(kZipSignature.size()) == kZipSignature;
    if (suffix == QLatin1String("xlsx") || zipped) {
        file.close();
        return ReadXlsx(path, sheetName, maxRows);
    }
    if (suffix != QLatin1String("csv") && suffix != QLatin1String("txt") && suffix != QLatin1String("tsv"))
        throw HostError(
            QStringLiteral("文件 %1 不是 CSV 文件或 XLSX 工作簿：只能引入 .csv 或 .xlsx 文件。").arg(Shown(path)));
    if (!sheetName.isEmpty())
        throw HostError(QStringLiteral("CSV 文件 %1 没有工作表，不能指定工作表“%2”。").arg(Shown(path), sheetName));
    return ReadCsv(file.readAll(), path, maxRows);
}

}  // namespace qor::services
