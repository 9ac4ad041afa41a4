#pragma once

class QApplication;

namespace qor::app {

// Windows and printed lists use WenQuanYi Micro Hei: it writes every Chinese
// text, and text extracted from a PDF printed with it is the text printed.
void UseReportFont();

// The application as the shell's windows run in it: its name, the report
// font and Qt's own dialogs in Chinese. No display name is set, so window
// managers show each window's title exactly as the window gives it.
void SetUpShellApplication(QApplication& app);

}  // namespace qor::app
