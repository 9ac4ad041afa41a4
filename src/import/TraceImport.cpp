#include "src/import/TraceImport.h"

#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/base/HostError.h"
#include "platform/base/Vector.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/Query.h"
#include "src/common/Rights.h"
#include "src/common/TraceWrites.h"
#include "src/host/ProgIds.h"
#include "src/host/TraceRights.h"
#include "src/lookup/LookupSql.h"
#include "src/lookup/Lookups.h"

#include <QSet>

namespace qor {

namespace {

constexpr int16_t kOperNew = 1;
constexpr int16_t kOperModify = 2;
const QString kNotFound = QStringLiteral("你输入的资料不存在或你没有使用该资料的权限！");

// "物料代码“X”：…", the column and the text the message is about.
QString About(ImportColumn column, const QString& text, const QString& message) {
    return QStringLiteral("%1“%2”：%3").arg(CaptionOf(column), text, message);
}

int32_t FirstId(const RecordsetPtr& found, const char* field) {
    if (!found || found->Eof()) return 0;
    return ToInt32(found->Fields(QLatin1String(field)).Value());
}

}  // namespace

QString VerdictText(ImportVerdict verdict) {
    switch (verdict) {
        case ImportVerdict::New:
            return QStringLiteral("新增");
        case ImportVerdict::Modify:
            return QStringLiteral("修改");
        case ImportVerdict::Unchanged:
            return QStringLiteral("不变");
        case ImportVerdict::Refused:
            break;
    }
    return QStringLiteral("拒绝");
}

int TraceImport::Count(ImportVerdict verdict) const {
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [verdict](const ImportRow& row) { return row.verdict == verdict; }));
}

void TraceImport::Prepare(const QString& path, const QString& sheetName) {
    auto reader = CreateComponent(QString::fromLatin1(host::progid::kListImport));
    const RecordsetPtr cells = AsRecordset(reader->Call(QStringLiteral("ReadSheet"), {path, sheetName, kMaxRows}));
    if (!cells) throw HostError(QStringLiteral("无法读取文件。"));
    sheet_ = ReadImportSheet(*cells);
    userId_ = ToInt32(GetUserID());
    // Codes are looked up a few hundred at a time rather than one by one:
    // the items, their records, then the customer BOMs the rows name.
    ReadItems();
    ReadRecords();
    ReadBoms();
    rows_.clear();
    rows_.reserve(sheet_.lines.size());
    QHash<QString, int> firstRowOf;  // item and batch -> file row
    for (const ImportLine& line : sheet_.lines) {
        ImportRow row;
        row.fileRow = line.fileRow;
        row.item = line.Cell(ImportColumn::Item);
        row.batch = line.Cell(ImportColumn::Batch);
        Resolve(sheet_, line, row);
        if (row.verdict != ImportVerdict::Refused) {
            const QString key = QString::number(row.itemId) + u'\n' + row.batch;
            if (const auto first = firstRowOf.constFind(key); first != firstRowOf.cend()) {
                row.verdict = ImportVerdict::Refused;
                row.message =
                    QStringLiteral("与第 %1 行的物料和批号相同：同一物料的同一批号只能有一条记录！").arg(*first);
            } else {
                firstRowOf.insert(key, row.fileRow);
            }
        }
        rows_.push_back(std::move(row));
    }
}

// The edit window's checks in its order: what is required, each code found
// as a typed code is found, then the right for what the row would do. A row
// of a record already there changes only what differs from the record, as
// the edit window and the ban command save only what the user changed.
void TraceImport::Resolve(const ImportSheet& sheet, const ImportLine& line, ImportRow& row) {
    row.verdict = ImportVerdict::Refused;
    for (int k = 0; k < kImportColumnCount; ++k) {
        const auto column = static_cast<ImportColumn>(k);
        if (const QString problem = CellProblem(column, line.Cell(column)); !problem.isEmpty()) {
            row.message = problem;
            return;
        }
    }
    const QString& itemCode = line.Cell(ImportColumn::Item);
    if (itemCode.trimmed().isEmpty()) {
        row.message = QStringLiteral("必须录入物料！");
        return;
    }
    const std::optional<Item> item = FindItem(itemCode);
    if (!item) {
        row.message = About(ImportColumn::Item, itemCode, kNotFound);
        return;
    }
    row.itemId = item->id;
    row.itemName = item->name;
    const QHash<QString, Existing>& records = records_[item->id];
    const auto found = records.constFind(row.batch);
    const Existing* existing = found == records.cend() ? nullptr : &*found;

    const QString& bomCode = line.Cell(ImportColumn::Bom);
    row.sendBom = !existing || (sheet.Has(ImportColumn::Bom) && bomCode != existing->bomNumber);
    if (row.sendBom) {
        if (bomCode.trimmed().isEmpty()) {
            row.message = QStringLiteral("必须录入客户BOM！");
            return;
        }
        row.bomId = FindBom(item->id, bomCode);
        if (row.bomId == 0) {
            row.message = About(ImportColumn::Bom, bomCode, kNotFound);
            return;
        }
    } else {
        row.bomId = existing->bomId;
    }
    if (row.batch.trimmed().isEmpty()) {
        row.message = QStringLiteral("必须录入批号！");
        return;
    }

    const QString& billNo = line.Cell(ImportColumn::Order);
    const QString lineText = line.Cell(ImportColumn::Line).trimmed();
    int orderLine = 0;
    if (!lineText.isEmpty()) {
        bool number = false;
        orderLine = lineText.toInt(&number);
        if (!number || orderLine <= 0) {
            row.message = About(ImportColumn::Line, lineText, QStringLiteral("行号必须是正整数！"));
            return;
        }
    }
    row.sendOrder = sheet.Has(ImportColumn::Order) &&
                    (!existing || billNo != existing->billNo || (orderLine > 0 && orderLine != existing->entryId));
    if (!row.sendOrder && existing) {
        row.orderId = existing->orderId;
        row.entryId = existing->entryId;
    } else if (!billNo.trimmed().isEmpty()) {
        row.orderId = FindOrder(item->id, row.bomId, billNo, orderLine);
        if (row.orderId == 0) {
            row.message = About(ImportColumn::Order, billNo, kNotFound);
            return;
        }
        row.entryId = orderLine;
    }

    const QString& banText = line.Cell(ImportColumn::Ban);
    const std::optional<bool> ban = ParseBanFlag(banText);
    if (!ban) {
        row.message = About(ImportColumn::Ban, banText, QStringLiteral("禁用只能是 Y、1、0 或空！"));
        return;
    }
    row.ban = sheet.Has(ImportColumn::Ban) ? *ban : existing && existing->ban;
    const bool banChanges = row.ban != (existing && existing->ban);
    row.sendBan = !existing || banChanges;

    if (existing) {
        row.traceId = existing->traceId;
        if (!row.sendBom && !row.sendOrder && !banChanges) {
            row.verdict = ImportVerdict::Unchanged;
            return;
        }
        if ((row.sendBom || row.sendOrder) && !Allowed(kRightModify)) {
            row.message = QStringLiteral("当前用户没有修改权限！请与系统管理员联系！");
            return;
        }
    } else if (!Allowed(kRightNew)) {
        row.message = QStringLiteral("当前用户没有新增权限！请与系统管理员联系！");
        return;
    }
    if (banChanges && !Allowed(kRightBan)) {
        row.message = QStringLiteral("当前用户没有") + (row.ban ? QString() : QStringLiteral("反")) +
                      QStringLiteral("禁用权限！请与系统管理员联系！");
        return;
    }
    row.verdict = existing ? ImportVerdict::Modify : ImportVerdict::New;
}

std::optional<TraceImport::Item> TraceImport::FindItem(const QString& code) const { return items_.value(code); }

int32_t TraceImport::FindBom(int32_t itemId, const QString& code) const {
    return boms_.value(QString::number(itemId) + u'\n' + code);
}

// The items the file names, each code once.
void TraceImport::ReadItems() {
    items_.clear();
    QStringList codes;
    for (const ImportLine& line : sheet_.lines) {
        const QString& code = line.Cell(ImportColumn::Item);
        if (code.trimmed().isEmpty() || items_.contains(code)) continue;
        items_.insert(code, std::nullopt);
        codes << code;
    }
    for (const FoundCode& found :
         FindCodes(LookupClass::Item, codes, userId_, CodeSearchFilter(LookupClass::Item, QString()))) {
        std::optional<Item>& item = items_[found.code];
        if (!item) item = Item{found.id, found.name};
    }
}

// The customer BOMs of the rows whose item was found, each item and BOM
// number once.
void TraceImport::ReadBoms() {
    constexpr qsizetype kPairsPerRead = 500;
    boms_.clear();
    QList<std::pair<int32_t, QString>> pairs;
    for (const ImportLine& line : sheet_.lines) {
        const QString& code = line.Cell(ImportColumn::Bom);
        const std::optional<Item> item = FindItem(line.Cell(ImportColumn::Item));
        if (!item || code.trimmed().isEmpty()) continue;
        const QString key = QString::number(item->id) + u'\n' + code;
        if (boms_.contains(key)) continue;
        boms_.insert(key, 0);
        pairs.append({item->id, code});
    }
    for (qsizetype from = 0; from < pairs.size(); from += kPairsPerRead) {
        QSet<QString> codes;
        QSet<int32_t> ids;
        for (const auto& [itemId, code] : pairs.mid(from, kPairsPerRead)) {
            codes.insert(code);
            ids.insert(itemId);
        }
        QStringList idTexts;
        for (const int32_t id : ids) idTexts << QString::number(id);
        for (const FoundCode& found :
             FindCodes(LookupClass::CustomerBom, codes.values(), userId_, BomsOfItemsFilter(idTexts))) {
            // Other items' BOMs of the same numbers come too; only the rows' pairs count.
            const auto known = boms_.find(QString::number(found.ownerId) + u'\n' + found.code);
            if (known != boms_.end() && *known == 0) *known = found.id;
        }
    }
}

int32_t TraceImport::FindOrder(int32_t itemId, int32_t bomId, const QString& billNo, int line) {
    const QString key = QStringLiteral("%1\n%2\n%3\n").arg(itemId).arg(bomId).arg(line) + billNo;
    if (const auto cached = orders_.constFind(key); cached != orders_.cend()) return *cached;
    const QString entryFilter = line > 0 ? QStringLiteral("v1.FEntryID=") + QString::number(line) : QString();
    int32_t id = 0;
    try {
        id = FirstId(OpenClassRecordset(
                         SalesOrderResolveSql(billNo, QString::number(itemId), QString::number(bomId), entryFilter),
                         QString(), false),
                     "FInterID");
    } catch (const std::exception&) {
    }
    orders_.insert(key, id);
    return id;
}

// The records the rows name by item and batch, a few hundred at a time.
void TraceImport::ReadRecords() {
    constexpr qsizetype kRecordsPerRead = 500;
    records_.clear();
    QVariantList keys;
    QSet<QString> seen;
    for (const ImportLine& line : sheet_.lines) {
        const std::optional<Item> item = FindItem(line.Cell(ImportColumn::Item));
        const QString& batch = line.Cell(ImportColumn::Batch);
        if (!item || batch.isEmpty()) continue;
        const QString key = QString::number(item->id) + u'\n' + batch;
        if (seen.contains(key)) continue;
        seen.insert(key);
        keys << item->id << batch;
    }
    for (qsizetype from = 0; from < keys.size(); from += 2 * kRecordsPerRead) {
        const QVariantList values = keys.mid(from, 2 * kRecordsPerRead);
        QStringList marks;
        for (qsizetype k = 0; k < values.size(); k += 2) marks << QStringLiteral("(CAST(? AS INTEGER), ?)");
        const RecordsetPtr rs = ExecBoundSQL(
            QStringLiteral("SELECT v.FTraceID, v.FBatchNo, v.FCustBomID, v.FOrderInterID, v.FOrderEntryID, v.FForbid, "
                           "b.FBOMNumber, o.FBillNo, v.FItemID FROM (VALUES %1) k "
                           "JOIN ICOrderBatchTrace v ON v.FItemID = k.column1 AND v.FBatchNo = k.column2 "
                           "LEFT JOIN ICBom b ON b.FInterID = v.FCustBomID "
                           "LEFT JOIN SEOrder o ON o.FInterID = v.FOrderInterID")
                .arg(marks.join(u',')),
            values);
        for (int r = 0; rs && r < rs->RecordCount(); ++r) {
            const auto row = static_cast<size_t>(r);
            const auto value = [&](int field) { return ToInt32(rs->ValueAt(field, row)); };
            records_[value(8)].insert(
                rs->TextAt(1, row), Existing{value(0), value(2), value(3), value(4), value(5) == 1, rs->TextAt(6, row),
                                             rs->TextAt(7, row)});
        }
    }
}

bool TraceImport::Allowed(int32_t mask) {
    if (const auto known = rights_.constFind(mask); known != rights_.cend()) return *known;
    const bool allowed = CheckRight(kTraceRightModule, kTraceRightDetail, mask);
    rights_.insert(mask, allowed);
    return allowed;
}

TraceImport::Outcome TraceImport::Apply(bool partial, const std::function<bool(int, int)>& progress) {
    if (!partial && Count(ImportVerdict::Refused) > 0) return Outcome::Refused;
    std::vector<ImportRow*> writes;
    for (ImportRow& row : rows_)
        if (row.verdict == ImportVerdict::New || row.verdict == ImportVerdict::Modify) writes.push_back(&row);
    auto connection = CreateComponent(QString::fromLatin1(host::progid::kAppConnection));
    connection->Call(QStringLiteral("BeginTrans"));
    const auto rollBack = [&connection](Outcome outcome) {
        connection->Call(QStringLiteral("RollbackTrans"));
        return outcome;
    };
    // The log entries are those the edit window writes, one per save, written together.
    QStringList log;
    try {
        const int total = static_cast<int>(writes.size());
        for (int done = 0; done < total; ++done) {
            if (progress && !progress(done, total)) return rollBack(Outcome::Cancelled);
            ImportRow& row = *writes[static_cast<size_t>(done)];
            const bool isNew = row.verdict == ImportVerdict::New;
            auto fields = Dictionary::New();
            if (isNew) {
                fields->Set(QStringLiteral("FItemID"), row.itemId);
                fields->Set(QStringLiteral("FBatchNo"), row.batch);
            }
            if (row.sendBom) fields->Set(QStringLiteral("FCustBomNo"), row.bomId);
            if (isNew || row.sendOrder) {
                fields->Set(QStringLiteral("FOrderBillNo"), row.orderId);
                fields->Set(QStringLiteral("EntryID"), row.entryId);
            }
            if (row.sendBan) fields->Set(QStringLiteral("FForbid"), row.ban ? 1 : 0);
            auto request = Vector::New();
            request->Add(isNew ? QStringLiteral("INS") : QStringLiteral("UPT"));
            request->Add(row.traceId);
            request->Add(QVariant::fromValue(fields));
            QString message;
            const bool saved = SaveBatchTrace(request, &message) == 1;
            log << SaveLogTemplate(isNew ? kOperNew : kOperModify, saved).arg(row.itemName);
            if (saved) continue;
            row.verdict = ImportVerdict::Refused;
            row.message = QStringLiteral("保存失败！") + message;
            if (!partial) return rollBack(Outcome::Failed);
        }
        if (progress) progress(total, total);
        WriteOperationLogs(log);
        connection->Call(QStringLiteral("CommitTrans"));
    } catch (const std::exception&) {
        rollBack(Outcome::Failed);
        throw;
    }
    return Outcome::Written;
}

}  // namespace qor
