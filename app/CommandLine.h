#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace qor::app {

enum class Command { Shell, CreateDemo, Help, List, Export, Print, Find, Import, User, Register, Unregister };

// The commands that work on the list without a window: list, export, print
// (find searches every record without a window).
bool IsHeadlessListCommand(Command command);

// What the user asked the host shell to do.
struct ShellOptions {
    Command command = Command::Shell;
    QString database;  // file path or connection text; empty: the demo company in the data folder
    QString user;
    QString password;
    bool passwordGiven = false;
    QString passwordFile;  // where a command without a window reads the password
    QString traceFile;
    int traces = 0;  // --create-demo sizes; 0 keeps the demo company's own
    int items = 0;
    int groups = 0;
    // list: one item's records (by item number) or all of them
    QString item;
    bool all = false;
    // find: what is searched (batch, order, bom, item or customer), for what text, how
    QString findScope;
    QString findText;
    bool contains = false;
    // import: the file, its sheet, and how
    QString in;
    QString sheet;
    bool dryRun = false;
    bool partial = false;
    QString report;
    QString format = QStringLiteral("tsv");  // tsv or csv
    bool raw = false;                        // list, export: CSV cells as they are
    QString out;                             // export: the .xlsx or .csv file; print: the .pdf file
    QString library;                         // --register / --unregister: the component library file
    // user: what is done to which user, with the description and the rights named
    QString userAction;
    QString accountName;
    QString description;
    QString rights;
};

struct ParseResult {
    std::optional<ShellOptions> options;
    QString error;  // in Chinese, when options is empty
};

// The rights of the batch trace list by the names the user command takes
// (view, new, modify, ban, delete, export, print; comma separated), or
// nothing when a name is unknown.
std::optional<int32_t> TraceRightsNamed(const QString& names);

// Parses the arguments after the program name.
ParseResult ParseCommandLine(const QStringList& arguments);

QString UsageText();

}  // namespace qor::app
