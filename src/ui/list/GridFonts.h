#pragma once

#include <QString>
#include <optional>

namespace qor {

// A grid font as stored in the user profile under "GridFont":
// FontName=宋体|FontSize=10.5|FontBold=0|FontItalic=0|
struct StoredGridFont {
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
};

// The stored font, or nothing when the profile text is empty.
std::optional<StoredGridFont> ParseGridFont(const QString& packed);

// Whether a report font size is applied: only sizes 9 to 18, and only when
// it differs from the size applied last.
bool ShouldApplyReportSize(double reportSize, double appliedSize);

// Row height for a line of text textHeight twips high: 30 more, rounded, at
// least 285.
int ReportRowHeight(double textHeight);

}  // namespace qor
