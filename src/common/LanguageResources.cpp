#include "src/common/LanguageResources.h"

#include "platform/base/Convert.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/common/LoginContext.h"
#include "src/common/ReportLines.h"
#include "src/host/ProgIds.h"

namespace qor {

QString UiLanguage() {
    static QString language;
    if (language.isEmpty()) language = GetPropValue(QStringLiteral("LANGUAGE"));
    return language;
}

void LoadFormResources(QWidget*, DictionaryPtr&, const QString&) {
    // Forms are built with their Simplified Chinese texts and UiLanguage() is
    // always "chs", so there is never anything to load over them.
}

DictionaryPtr GetFontProps() {
    auto loader = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kFrmResLoader));
    return AsDictionary(loader->Call(QStringLiteral("GetZ9FontProps"), {UiLanguage()}));
}

void ApplyReportFonts(ReportLines& lines) {
    DictionaryPtr props = GetFontProps();
    if (!props) props = Dictionary::New();
    const QString name = NullToEmpty(props->GetValue(QStringLiteral("Font.Name"), QStringLiteral("宋体")));
    const int charset = ToInt32(props->GetValue(QStringLiteral("Font.Charset"), 134));
    for (int line = 0; line < ReportLines::kLineCount; ++line) {
        lines.SetHeaderFont(line, name, charset);
        lines.SetFooterFont(line, name, charset);
    }
}

}  // namespace qor
