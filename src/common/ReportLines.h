#pragma once

#include <QString>

namespace qor {

// A print layout with numbered header and footer lines, 0 to kLineCount - 1,
// whose fonts can be set: the ledger grid's print object offers it.
class ReportLines {
public:
    static constexpr int kLineCount = 10;

    virtual ~ReportLines() = default;
    virtual void SetHeaderFont(int line, const QString& name, int charset) = 0;
    virtual void SetFooterFont(int line, const QString& name, int charset) = 0;
};

}  // namespace qor
