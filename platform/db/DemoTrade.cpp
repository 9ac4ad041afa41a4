#include "platform/db/DemoTrade.h"

#include "platform/db/DemoNames.h"
#include "platform/db/RowAppender.h"

#include <QDate>
#include <algorithm>

namespace qor::db {

namespace {
const QDate kFirstOrderDate(2025, 9, 1);
constexpr int kOrderDays = 210;

// The BOMs of a new company, numbered and keyed 1, 2, ... in the order written.
class BomWriter {
public:
    BomWriter(Database& db, DemoRandom& random)
        : rows_(db, QStringLiteral("ICBom"),
                {QStringLiteral("FInterID"), QStringLiteral("FBOMNumber"), QStringLiteral("FItemID"),
                 QStringLiteral("FBomType"), QStringLiteral("FCustName"), QStringLiteral("FNote")}),
          random_(random) {}

    int Write(int itemId, int bomType) {
        const bool customer = bomType == 3;
        const int id = ++count_;
        const QString number = QStringLiteral("%1%2")
                                   .arg(customer ? QStringLiteral("KHBOM") : QStringLiteral("BOM"))
                                   .arg(id, 6, 10, QLatin1Char('0'));
        rows_.Add({id, number, itemId, bomType, customer ? random_.Pick(CustomerNames()) : QString(),
                   customer ? random_.Pick(BomNotes()) : QString()});
        return id;
    }
    void Flush() { rows_.Flush(); }

private:
    RowAppender rows_;
    DemoRandom& random_;
    int count_ = 0;
};

void WriteBoms(Database& db, const DemoCatalog& catalog, std::vector<DemoItemTrade>& trade, DemoRandom& random) {
    BomWriter boms(db, random);
    for (size_t q = 0; q < trade.size(); ++q) {
        DemoItemTrade& item = trade[q];
        const int customerBoms = q % 3 == 0 ? 2 : 1;
        for (int k = 0; k < customerBoms; ++k) item.customerBoms.push_back(boms.Write(item.itemId, 3));
        if (q % 4 == 1) boms.Write(item.itemId, 0);
    }
    for (size_t k = 0; k < catalog.subcontractedItems.size(); ++k)
        boms.Write(catalog.subcontractedItems[k], k % 2 == 0 ? 0 : 1);
    // Written last, so that their numbers stay the highest ever handed out.
    for (size_t q = 0; q < trade.size(); q += 50) trade[q].obsoleteBom = boms.Write(trade[q].itemId, 3);
    boms.Flush();
}

void WriteOrders(Database& db, std::vector<DemoItemTrade>& trade, int orderCount, DemoRandom& random) {
    RowAppender orders(db, QStringLiteral("SEOrder"),
                       {QStringLiteral("FInterID"), QStringLiteral("FBillNo"), QStringLiteral("FDate"),
                        QStringLiteral("FCustName"), QStringLiteral("FStatus")});
    RowAppender orderLines(db, QStringLiteral("SEOrderEntry"),
                           {QStringLiteral("FInterID"), QStringLiteral("FEntryID"), QStringLiteral("FItemID"),
                            QStringLiteral("FBomInterID"), QStringLiteral("FQty"), QStringLiteral("FDeliveryDate"),
                            QStringLiteral("FMrpClosed")});
    for (int order = 1; order <= orderCount; ++order) {
        const QDate date = kFirstOrderDate.addDays(random.Below(kOrderDays));
        const int status = random.Chance(12) ? 0 : random.Between(1, 3);
        const int interId = order;
        orders.Add({interId, QStringLiteral("SEORD%1").arg(order, 6, 10, QLatin1Char('0')), date.toString(Qt::ISODate),
                    random.Pick(CustomerNames()), status});
        const int lines = random.Between(1, 5);
        for (int entry = 1; entry <= lines; ++entry) {
            DemoItemTrade& item = trade[static_cast<size_t>(random.Below(trade.size()))];
            const int bomId = random.Chance(85) ? random.Pick(item.customerBoms) : 0;
            orderLines.Add({interId, entry, item.itemId, bomId, 10 * random.Between(1, 100),
                            date.addDays(random.Between(15, 60)).toString(Qt::ISODate), random.Chance(10) ? 1 : 0});
            item.orderLines.push_back({interId, entry, bomId});
        }
    }
    orders.Flush();
    orderLines.Flush();
}

QString BatchNumber(const QDate& date, int sequence) {
    return date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("-%1").arg(sequence, 3, 10, QLatin1Char('0'));
}

// Batch dates of one item, oldest first, a few days apart and ending before
// lastDate; one batch per day keeps the numbers unique per item.
std::vector<QDate> BatchDates(int count, const QDate& lastDate, DemoRandom& random) {
    std::vector<QDate> dates(static_cast<size_t>(count));
    QDate date = lastDate;
    for (int k = count - 1; k >= 0; --k) {
        date = date.addDays(-random.Between(1, 6));
        dates[static_cast<size_t>(k)] = date;
    }
    return dates;
}
}  // namespace

std::vector<DemoItemTrade> WriteDemoTrade(Database& db, const DemoCatalog& catalog, const DemoOptions& options,
                                          DemoRandom& random) {
    std::vector<DemoItemTrade> trade(catalog.madeToOrderItems.size());
    for (size_t q = 0; q < trade.size(); ++q) trade[q].itemId = catalog.madeToOrderItems[q];
    if (trade.empty()) return trade;
    WriteBoms(db, catalog, trade, random);
    WriteOrders(db, trade, std::max(120, options.traces / 16), random);
    return trade;
}

void WriteDemoTraces(Database& db, const std::vector<DemoItemTrade>& trade, const DemoOptions& options,
                     DemoRandom& random) {
    if (trade.empty()) return;
    RowAppender traces(db, QStringLiteral("ICOrderBatchTrace"),
                       {QStringLiteral("FItemID"), QStringLiteral("FBatchNo"), QStringLiteral("FCustBomID"),
                        QStringLiteral("FOrderInterID"), QStringLiteral("FOrderEntryID"), QStringLiteral("FForbid")});
    RowAppender stock(
        db, QStringLiteral("ICInventory"),
        {QStringLiteral("FItemID"), QStringLiteral("FBatchNo"), QStringLiteral("FStockName"), QStringLiteral("FQty")});
    const QDate lastTraced(2026, 3, 31);

    // One best-selling item carries a thousandth of all records (about 1,000
    // at bench scale); the rest spread evenly.
    std::vector<int> traceCounts(trade.size(), 0);
    const int bestSeller = options.traces / 1000;
    traceCounts[0] = bestSeller;
    for (int t = bestSeller; t < options.traces; ++t) ++traceCounts[static_cast<size_t>(random.Below(trade.size()))];

    for (size_t q = 0; q < trade.size(); ++q) {
        const DemoItemTrade& item = trade[q];
        const std::vector<QDate> dates = BatchDates(traceCounts[q], lastTraced, random);
        for (size_t k = 0; k < dates.size(); ++k) {
            const QString batch = BatchNumber(dates[k], random.Between(1, 3));
            DemoOrderLine line;
            if (k == 0 && item.obsoleteBom != 0)
                line.bomId = item.obsoleteBom;
            else if (!item.orderLines.empty() && random.Chance(85))
                line = random.Pick(item.orderLines);
            if (line.bomId == 0 && random.Chance(70)) line.bomId = random.Pick(item.customerBoms);
            traces.Add({item.itemId, batch, line.bomId, line.interId, line.entryId, random.Chance(5) ? 1 : 0});
            if (random.Chance(60)) stock.Add({item.itemId, batch, random.Pick(StockNames()), random.Between(1, 500)});
        }
        // A batch in stock that no record names yet.
        stock.Add({item.itemId, BatchNumber(lastTraced.addDays(random.Between(1, 9)), 1), StockNames().first(),
                   random.Between(1, 500)});
    }
    traces.Flush();
    stock.Flush();
    QStringList obsolete;
    for (const DemoItemTrade& item : trade)
        if (item.obsoleteBom != 0) obsolete << QString::number(item.obsoleteBom);
    if (!obsolete.isEmpty())
        db.Execute(QStringLiteral("DELETE FROM ICBom WHERE FInterID IN (%1)").arg(obsolete.join(u',')));
}

}  // namespace qor::db
