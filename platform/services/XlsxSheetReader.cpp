#include "platform/base/HostError.h"
#include "platform/services/SheetReader.h"
#include "platform/services/ZipArchive.h"

#include <expat.h>
#include <QDir>
#include <QHash>
#include <cstring>
#include <functional>

namespace qor::services {

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void RefuseDamaged(const QString& path, const QString& why) {
    throw HostError(QStringLiteral("XLSX 工作簿 %1 已经损坏，无法读取（%2）。").arg(Shown(path), why));
}

// The local name of an element, without its namespace prefix.
const char* LocalName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

const char* Attribute(const char** attributes, const char* wanted) {
    for (int i = 0; attributes[i]; i += 2)
        if (std::strcmp(LocalName(attributes[i]), wanted) == 0) return attributes[i + 1];
    return nullptr;
}

// Runs an expat parser over a part of the workbook, handing elements and
// text to the callbacks. Throws when the part is missing (unless optional)
// or not well-formed.
class PartParser {
public:
    using Start = std::function<void(const char* name, const char** attributes)>;
    using End = std::function<void(const char* name)>;
    using Text = std::function<void(const char* text, int length)>;

    PartParser(Start start, End end, Text text)
        : start_(std::move(start)), end_(std::move(end)), text_(std::move(text)) {}

    void Parse(const ZipArchive& zip, const QString& path, const QString& part, bool optional) {
        if (!zip.Contains(part)) {
            if (optional) return;
            RefuseDamaged(path, QStringLiteral("缺少 %1").arg(part));
        }
        XML_Parser parser = XML_ParserCreate("UTF-8");
        XML_SetUserData(parser, this);
        XML_SetElementHandler(
            parser,
            [](void* self, const XML_Char* name, const XML_Char** attributes) {
                static_cast<PartParser*>(self)->start_(LocalName(name), attributes);
            },
            [](void* self, const XML_Char* name) { static_cast<PartParser*>(self)->end_(LocalName(name)); });
        XML_SetCharacterDataHandler(parser, [](void* self, const XML_Char* text, int length) {
            static_cast<PartParser*>(self)->text_(text, length);
        });
        QString failure;
        const bool whole = zip.Stream(part, [&](const char* bytes, qsizetype n) {
            if (XML_Parse(parser, bytes, static_cast<int>(n), 0) == XML_STATUS_OK) return true;
            failure = QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser)));
            return false;
        });
        const bool finished = whole && XML_Parse(parser, nullptr, 0, 1) == XML_STATUS_OK;
        if (whole && !finished) failure = QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser)));
        XML_ParserFree(parser);
        if (!whole || !finished)
            RefuseDamaged(path, failure.isEmpty() ? QStringLiteral("%1 不完整").arg(part) : part + u' ' + failure);
    }

private:
    Start start_;
    End end_;
    Text text_;
};

// The sheet part of the workbook's first sheet, or of the one named.
QString SheetPart(const ZipArchive& zip, const QString& path, const QString& sheetName) {
    QString relation;
    QStringList names;
    PartParser workbook(
        [&](const char* name, const char** attributes) {
            if (std::strcmp(name, "sheet") != 0) return;
            const QString sheet = QString::fromUtf8(Attribute(attributes, "name"));
            names << sheet;
            if (relation.isEmpty() && (sheetName.isEmpty() || sheet == sheetName))
                relation = QString::fromUtf8(Attribute(attributes, "id"));
        },
        [](const char*) {}, [](const char*, int) {});
    workbook.Parse(zip, path, QStringLiteral("xl/workbook.xml"), false);
    if (relation.isEmpty()) {
        if (!sheetName.isEmpty())
            throw HostError(QStringLiteral("工作簿 %1 中没有名为“%2”的工作表（有：%3）。")
                                .arg(Shown(path), sheetName, names.join(QStringLiteral("、"))));
        RefuseDamaged(path, QStringLiteral("没有工作表"));
    }
    QString target;
    PartParser relations(
        [&](const char* name, const char** attributes) {
            if (std::strcmp(name, "Relationship") == 0 && QString::fromUtf8(Attribute(attributes, "Id")) == relation)
                target = QString::fromUtf8(Attribute(attributes, "Target"));
        },
        [](const char*) {}, [](const char*, int) {});
    relations.Parse(zip, path, QStringLiteral("xl/_rels/workbook.xml.rels"), false);
    if (target.isEmpty()) RefuseDamaged(path, QStringLiteral("找不到工作表 %1").arg(relation));
    return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
}

QStringList SharedStrings(const ZipArchive& zip, const QString& path) {
    QStringList strings;
    QByteArray current;
    bool inText = false;
    // Phonetic runs (rPh) are readings shown above the text, not part of it.
    bool inPhonetic = false;
    PartParser parser(
        [&](const char* name, const char**) {
            if (std::strcmp(name, "si") == 0) current.clear();
            if (std::strcmp(name, "t") == 0) inText = true;
            if (std::strcmp(name, "rPh") == 0) inPhonetic = true;
        },
        [&](const char* name) {
            if (std::strcmp(name, "t") == 0) inText = false;
            if (std::strcmp(name, "rPh") == 0) inPhonetic = false;
            if (std::strcmp(name, "si") == 0) strings << QString::fromUtf8(current);
        },
        [&](const char* text, int length) {
            if (inText && !inPhonetic) current.append(text, length);
        });
    parser.Parse(zip, path, QStringLiteral("xl/sharedStrings.xml"), true);
    return strings;
}

// The column of a cell reference such as "AB12", from 0.
int ColumnOf(const char* reference) {
    int column = 0;
    for (const char* p = reference; *p >= 'A' && *p <= 'Z'; ++p) column = column * 26 + (*p - 'A' + 1);
    return column - 1;
}

}  // namespace

std::vector<SheetRow> ReadXlsx(const QString& path, const QString& sheetName, int maxRows) {
    const ZipArchive zip(path);
    if (!zip.IsOpen()) throw HostError(QStringLiteral("文件 %1 不是 XLSX 工作簿，或者已经损坏。").arg(Shown(path)));
    const QString part = SheetPart(zip, path, sheetName);
    const QStringList shared = SharedStrings(zip, path);

    std::vector<SheetRow> rows;
    SheetRow row;
    int rowNumber = 0;
    int column = -1;
    QByteArray type;
    QByteArray value;
    bool inValue = false;
    const auto endRow = [&] {
        while (!row.cells.isEmpty() && row.cells.last().trimmed().isEmpty()) row.cells.removeLast();
        if (row.cells.isEmpty()) return;
        if (static_cast<int>(rows.size()) >= maxRows) RefuseTooManyRows(path, maxRows);
        rows.push_back(std::move(row));
    };
    PartParser sheet(
        [&](const char* name, const char** attributes) {
            if (std::strcmp(name, "row") == 0) {
                const char* r = Attribute(attributes, "r");
                rowNumber = r ? std::atoi(r) : rowNumber + 1;
                row = SheetRow{rowNumber, {}};
                column = -1;
            } else if (std::strcmp(name, "c") == 0) {
                const char* r = Attribute(attributes, "r");
                column = r ? ColumnOf(r) : column + 1;
                const char* t = Attribute(attributes, "t");
                type = t ? QByteArray(t) : QByteArray("n");
                value.clear();
            } else if (std::strcmp(name, "v") == 0 || std::strcmp(name, "t") == 0) {
                inValue = true;
            }
        },
        [&](const char* name) {
            if (std::strcmp(name, "v") == 0 || std::strcmp(name, "t") == 0) {
                inValue = false;
            } else if (std::strcmp(name, "c") == 0 && column >= 0) {
                QString text = QString::fromUtf8(value);
                if (type == "s") {
                    bool ok = false;
                    const int index = text.toInt(&ok);
                    if (!ok || index < 0 || index >= shared.size())
                        RefuseDamaged(path, QStringLiteral("第 %1 行的共享文字 %2 不存在").arg(rowNumber).arg(text));
                    text = shared[index];
                } else if (type == "b") {
                    text = text == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
                }
                while (row.cells.size() < column) row.cells << QString();
                row.cells << text;
            } else if (std::strcmp(name, "row") == 0) {
                endRow();
            }
        },
        [&](const char* text, int length) {
            if (inValue) value.append(text, length);
        });
    sheet.Parse(zip, path, part, false);
    return rows;
}

}  // namespace qor::services
