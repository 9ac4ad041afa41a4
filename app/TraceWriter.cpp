#include "app/TraceWriter.h"

#include "platform/base/FileFailure.h"
#include "platform/base/HostError.h"
#include "platform/base/KeptFiles.h"
#include "src/host/ProgIds.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>

namespace qor::app {

namespace {

// Why the file at path may not become a trace file; empty when it may: it
// does not exist, is empty, or its first line is a trace line.
QString Refusal(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (!info.isFile()) return QStringLiteral("%1 不是普通文件，不能用作跟踪文件。").arg(path);
    QFile existing(path);
    if (!existing.open(QIODevice::ReadOnly)) return {};
    const QByteArray head = existing.read(4096);
    if (head.isEmpty()) return {};
    if (head.startsWith("SQLite format 3"))
        return QStringLiteral("%1 是数据库文件，不能用作跟踪文件；它没有被改动。").arg(path);
    const QJsonObject first = QJsonDocument::fromJson(head.left(head.indexOf('\n'))).object();
    if (first.contains(QStringLiteral("component")) && first.contains(QStringLiteral("member"))) return {};
    return QStringLiteral("%1 不是跟踪文件，没有覆盖它。请指定一个新文件或以前的跟踪文件。").arg(path);
}

}  // namespace

TraceWriter::TraceWriter(const QString& path) : file_(path) {
    if (const QString refusal = Refusal(path); !refusal.isEmpty()) throw HostError(refusal);
    KeepFile(path, QStringLiteral("跟踪文件"));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw HostError(QStringLiteral("无法写入跟踪文件：%1").arg(FileFailure(path, errno)));
}

QJsonValue TraceWriter::ToJson(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return QJsonValue::Null;
    if (auto v = value.value<VectorPtr>()) {
        QJsonArray a;
        for (int i = 1; i <= v->Count(); ++i) a.append(ToJson(v->Item(i)));
        return a;
    }
    if (auto d = value.value<DictionaryPtr>()) {
        QJsonObject o;
        for (int i = 0; i < d->Count(); ++i) o.insert(d->KeyAt(i), ToJson(d->ValueAt(i)));
        return o;
    }
    if (auto rs = value.value<RecordsetPtr>()) return QJsonObject{{QStringLiteral("rows"), rs->RecordCount()}};
    if (auto object = value.value<host::ObjectPtr>()) return QJsonObject{{QStringLiteral("object"), object->ProgID()}};
    if (value.typeId() == QMetaType::QVariantList) {
        QJsonArray a;
        for (const QVariant& item : value.toList()) a.append(ToJson(item));
        return a;
    }
    switch (value.typeId()) {
        case QMetaType::Bool:
            return value.toBool();
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Long:
            return static_cast<qint64>(value.toLongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return value.toDouble();
        default:
            return value.toString();
    }
}

void TraceWriter::OnCall(const QString& progId, const QString& member, host::CallKind kind, const QVariantList& args,
                         const QVariant& result, const QString& error) {
    const bool isMessageBox = progId.compare(QLatin1String(host::progid::kMessageDialog), Qt::CaseInsensitive) == 0;
    QJsonObject line{{QStringLiteral("component"), progId}, {QStringLiteral("member"), member}};
    QJsonArray jsonArgs;
    for (const QVariant& a : args) jsonArgs.append(ToJson(a));
    line.insert(QStringLiteral("args"), jsonArgs);
    if (kind == host::CallKind::PropertyPut) {
        line.insert(QStringLiteral("put"), true);
        if (isMessageBox && member.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0)
            pendingTitle_ = args.value(0).toString();
        if (isMessageBox && member.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0)
            pendingText_ = args.value(0).toString();
    } else {
        line.insert(QStringLiteral("result"), ToJson(result));
    }
    if (isMessageBox && member.compare(QLatin1String("Show"), Qt::CaseInsensitive) == 0) {
        line.insert(QStringLiteral("title"), pendingTitle_);
        line.insert(QStringLiteral("text"), pendingText_);
        pendingTitle_.clear();
        pendingText_.clear();
    }
    if (!error.isEmpty()) line.insert(QStringLiteral("error"), error);
    file_.write(QJsonDocument(line).toJson(QJsonDocument::Compact));
    file_.write("\n");
    file_.flush();
}

}  // namespace qor::app
