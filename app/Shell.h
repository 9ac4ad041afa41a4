#pragma once

#include "app/CommandLine.h"

namespace qor::app {

// Exit codes of the host shell.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitRefused = 2;      // database, login or trace file refused
inline constexpr int kExitSwitchedOff = 3;  // the batch trace feature is off in the system profile
inline constexpr int kExitRowsRefused = 4;  // import: rows of the file were refused

// Tells the user why a command stops: always on stderr, and in a message box
// when there is a screen to show it on. Answers exitCode.
int Refuse(const QString& text, int exitCode);

// The demo company in the user's data folder, used when no --db is given.
QString DefaultDemoDatabase();

// Creates a company database with demo data (or bench-scale data).
int RunCreateDemo(const ShellOptions& options);

// What the shell and its commands say when the batch trace feature is
// switched off in the system profile (IC/UseOrderBatchTrace).
QString SwitchedOffText();

// Logs in, publishes the login context, creates the module by its ProgID and
// shows it. Needs a QApplication.
int RunShell(const ShellOptions& options);

}  // namespace qor::app
