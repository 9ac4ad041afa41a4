#pragma once

#include "platform/host/Dispatch.h"

#include <QString>
#include <cstdint>

namespace qor {

// The list of trace records without a window, for the host's command line,
// created by the ProgID "QOROrderBatchTrace.CBatchTraceOutput". Each member
// takes an item number (empty: every record), checks its own right and throws
// HostError with the refusal or the reason it cannot go on.
//   WriteList(item, "tsv"|"csv"[, raw]) -> rows written to standard output, header included
//   ExportList(item, file[, raw]) -> rows exported to the .xlsx or .csv file
//   (raw: CSV cells as they are, without the apostrophe before text a
//   spreadsheet would run as a formula)
//   PrintList(item, file) -> pages printed to the .pdf file
//   WriteFound(scope, match, text, "tsv"|"csv") -> the records a search over every
//     item finds (scope "batch", "order", "bom", "item" or "customer"; match 0 exact,
//     1 prefix, 2 contains), newest first, written to standard output under a header
//   ImportRows(file, sheet, dryRun, partial, report) -> the number of refused rows: the
//     rows of the .csv or .xlsx file imported (nothing written when any is refused unless
//     partial; nothing at all when dryRun), a summary on standard output, each refused
//     row on standard error, every row's verdict in the report (.csv) when one is named
// Each answers -1 when the list (or the export) failed after telling the
// user why.
class CBatchTraceOutput : public host::Dispatch {
public:
    CBatchTraceOutput();

    int32_t WriteList(const QString& itemNumber, const QString& format, bool raw = false);
    int32_t ExportList(const QString& itemNumber, const QString& fileName, bool raw = false);
    int32_t PrintList(const QString& itemNumber, const QString& fileName);
    int32_t WriteFound(const QString& scope, int32_t match, const QString& text, const QString& format);
    int32_t ImportRows(const QString& fileName, const QString& sheetName, bool dryRun, bool partial,
                       const QString& reportFile);
};

}  // namespace qor
