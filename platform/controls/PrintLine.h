#pragma once

#include "platform/controls/PrintFont.h"

#include <QString>

namespace qor::controls {

// One header or footer line of a printed list. "&[页]" in the text stands for
// the page number, "&[总页]" for the number of pages. A line with empty text
// takes no room; a line of one blank is an empty line.
class PrintLine {
public:
    const QString& Text() const { return text_; }
    void SetText(const QString& text) { text_ = text; }
    PrintFont& Font() { return font_; }
    const PrintFont& Font() const { return font_; }

private:
    QString text_;
    PrintFont font_;
};

}  // namespace qor::controls
