#include "src/ui/list/GridFonts.h"

#include "platform/base/Convert.h"
#include "src/common/PackedText.h"

#include <algorithm>
#include <cmath>

namespace qor {

std::optional<StoredGridFont> ParseGridFont(const QString& packed) {
    if (packed.isEmpty()) return std::nullopt;
    const QString separator = QStringLiteral("|");
    StoredGridFont font;
    font.name = GetKV(packed, QStringLiteral("FontName"), separator);
    font.size = LeadingNumber(GetKV(packed, QStringLiteral("FontSize"), separator));
    font.bold = IsTrueFlag(GetKV(packed, QStringLiteral("FontBold"), separator));
    font.italic = IsTrueFlag(GetKV(packed, QStringLiteral("FontItalic"), separator));
    return font;
}

bool ShouldApplyReportSize(double reportSize, double appliedSize) {
    return reportSize != appliedSize && reportSize >= 9 && reportSize <= 18;
}

int ReportRowHeight(double textHeight) { return std::max(285, static_cast<int>(std::lround(textHeight + 30))); }

}  // namespace qor
