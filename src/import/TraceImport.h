#pragma once

#include "src/import/ImportSheet.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace qor {

enum class ImportVerdict { New, Modify, Unchanged, Refused };

// 新增, 修改, 不变 or 拒绝.
QString VerdictText(ImportVerdict verdict);

// What an import does with one row of the file.
struct ImportRow {
    int fileRow = 0;
    QString item;   // the item code as the file has it
    QString batch;  // the batch number as the file has it
    ImportVerdict verdict = ImportVerdict::Refused;
    QString message;
    // What is written: the record (0 for a new one) and its values.
    int32_t traceId = 0;
    int32_t itemId = 0;
    QString itemName;
    int32_t bomId = 0;
    int32_t orderId = 0;
    int32_t entryId = 0;
    bool ban = false;
    // Which values a change of a record writes (a new record writes them all).
    bool sendBom = false;
    bool sendOrder = false;
    bool sendBan = false;
};

// Imports trace records from a CSV file or an .xlsx workbook: each row is
// resolved as the edit window resolves typed codes (items, customer BOMs and
// sales orders by number, as the company's number mode says), checked as the
// edit window checks it, and written through the host's save component with
// the edit window's operation-log entries, all in one transaction.
class TraceImport {
public:
    // The most rows one import takes.
    static constexpr int kMaxRows = 200000;

    // Reads the file and works out every row's verdict; writes nothing.
    // Throws HostError when the file as a whole cannot be imported.
    void Prepare(const QString& path, const QString& sheetName = QString());

    const std::vector<ImportRow>& Rows() const { return rows_; }
    int Count(ImportVerdict verdict) const;

    enum class Outcome { Written, Refused, Cancelled, Failed };
    // Writes the new and changed rows in one transaction. Without partial,
    // nothing is written when any row is refused (Refused) or a save is
    // refused on the way (Failed, the row then says why); with partial the
    // refused rows are left out. progress(done, total) is asked before each
    // write; false cancels and rolls everything back.
    Outcome Apply(bool partial, const std::function<bool(int, int)>& progress = {});

private:
    struct Item {
        int32_t id = 0;
        QString name;
    };
    struct Existing {
        int32_t traceId = 0;
        int32_t bomId = 0;
        int32_t orderId = 0;
        int32_t entryId = 0;
        bool ban = false;
        QString bomNumber;
        QString billNo;
    };
    void Resolve(const ImportSheet& sheet, const ImportLine& line, ImportRow& row);
    std::optional<Item> FindItem(const QString& code) const;
    int32_t FindBom(int32_t itemId, const QString& code) const;
    int32_t FindOrder(int32_t itemId, int32_t bomId, const QString& billNo, int line);
    void ReadItems();
    void ReadRecords();
    void ReadBoms();
    bool Allowed(int32_t mask);

    std::vector<ImportRow> rows_;
    ImportSheet sheet_;
    QHash<QString, std::optional<Item>> items_;
    QHash<QString, int32_t> boms_;
    QHash<QString, int32_t> orders_;
    QHash<int32_t, QHash<QString, Existing>> records_;
    QHash<int32_t, bool> rights_;
    int32_t userId_ = 0;
};

}  // namespace qor
