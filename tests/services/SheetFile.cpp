#include "SheetFile.h"

#include "services/ZipArchive.h"

#include <QXmlStreamReader>

namespace qor::test {

namespace {

// Column number (0-based) of a cell reference such as "C12".
int ColumnOf(QStringView ref) {
    int column = 0;
    for (QChar c : ref) {
        if (!c.isLetter()) break;
        column = column * 26 + (c.toLatin1() - 'A' + 1);
    }
    return column - 1;
}

QStringList SharedStrings(const QString& path) {
    QStringList strings;
    QXmlStreamReader xml(services::ZipArchive(path).Read(QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("t")) strings.append(xml.readElementText());
    }
    return strings;
}

}  // namespace

QList<QStringList> XlsxRows(const QString& path) {
    const QStringList shared = SharedStrings(path);
    QList<QStringList> rows;
    QXmlStreamReader xml(services::ZipArchive(path).Read(QStringLiteral("xl/worksheets/sheet1.xml")));
    int column = 0;
    QString type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("row")) {
            const int number = xml.attributes().value(QLatin1String("r")).toInt();
            while (rows.size() < number) rows.append(QStringList());
        } else if (xml.name() == QLatin1String("c")) {
            column = ColumnOf(xml.attributes().value(QLatin1String("r")));
            type = xml.attributes().value(QLatin1String("t")).toString();
        } else if (xml.name() == QLatin1String("v") || xml.name() == QLatin1String("t")) {
            const QString text = xml.readElementText();
            QStringList& row = rows.last();
            while (row.size() <= column) row.append(QString());
            row[column] = type == QLatin1String("s") ? shared.value(text.toInt()) : text;
        }
    }
    return rows;
}

}  // namespace qor::test
