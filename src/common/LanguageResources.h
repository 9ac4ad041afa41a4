#pragma once

#include "platform/base/Dictionary.h"

#include <QString>

class QWidget;

namespace qor {

class ReportLines;

// The user-interface language code, fixed at "chs" and remembered after the
// first use.
QString UiLanguage();

// The per-form resource hook, called at each form's load.
void LoadFormResources(QWidget* form, DictionaryPtr& resources, const QString& systemKey);

// The font settings of the user's language from the host's FrmResLoader
// ("Font.Name", "Font.Charset"). Errors reach the caller.
DictionaryPtr GetFontProps();

// Sets the font name and character set of every header and footer line from
// GetFontProps, "宋体" and 134 (GB2312) where the settings name none.
void ApplyReportFonts(ReportLines& lines);

}  // namespace qor
