// Runs an import of FILE into COMPANY as administrator, as `qor-erp import
// --partial` does, and writes every statement it ran to SCRIPT as one
// transaction for the database's own shell (sqlite3 or psql), so that the
// shell can run the same statements for comparison.
// Usage: import_statements COMPANY FILE SCRIPT
#include "bench/BenchCompany.h"
#include "bench/RecordingDatabase.h"
#include "platform/db/SqlRewrite.h"
#include "src/import/TraceImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

using namespace qor;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: import_statements COMPANY FILE SCRIPT\n");
        return 1;
    }
    const services::SessionPtr session = bench::OpenBenchSession(args[1]);
    const bool sqlite = session->database->Backend() == QLatin1String("sqlite");
    auto recording = std::make_shared<bench::RecordingDatabase>(session->database, false);
    session->database = recording;

    QElapsedTimer timer;
    timer.start();
    TraceImport import;
    import.Prepare(args[2]);
    const TraceImport::Outcome outcome = import.Apply(true);
    std::fprintf(stderr, "imported in process (recording): %.2f s, outcome %d, %d new, %d changed\n",
                 static_cast<double>(timer.elapsed()) / 1000, static_cast<int>(outcome),
                 import.Count(ImportVerdict::New), import.Count(ImportVerdict::Modify));

    QString statements = recording->Statements();
    if (sqlite) statements = db::RewriteIsNullCalls(statements);
    QFile script(args[3]);
    if (!script.open(QIODevice::WriteOnly)) return 2;
    script.write("BEGIN;\n");
    script.write(statements.toUtf8());
    script.write("COMMIT;\n");
    return 0;
}
