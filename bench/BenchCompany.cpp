#include "BenchCompany.h"

#include "CompanyLogin.h"
#include "common/LoginContext.h"
#include "common/PropsString.h"
#include "component/OrderBatchTraceRegistration.h"
#include "db/DemoCompany.h"
#include "db/OpenDatabase.h"
#include "host/ComponentFactory.h"
#include "host/ProgIds.h"

#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

namespace qor::bench {

QString BenchDatabase() {
    const QString path = qEnvironmentVariableIsEmpty("QOR_BENCH_DB") ? QStringLiteral("/tmp/qor-bench.db")
                                                                     : qEnvironmentVariable("QOR_BENCH_DB");
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "creating the bench company %s ...\n", qUtf8Printable(path));
        auto db = db::OpenDatabase(path, db::OpenMode::Create);
        db::CreateDemoCompany(*db, {1000000, 100000, 5000});
    }
    return path;
}

void OpenBenchSession() {
    app::ShellOptions options;
    options.database = BenchDatabase();
    options.user = QStringLiteral("administrator");
    options.password = QStringLiteral("demo");
    options.passwordGiven = true;
    QString error;
    if (!app::OpenCompanySession(options, false, &error)) throw std::runtime_error(error.toStdString());
    RegisterOrderBatchTrace();
    host::ComponentFactory::Create(QString::fromLatin1(host::progid::kOrderBatchTrace));  // sets the number mode
    ParsePropsString(GetPropsString());
}

}  // namespace qor::bench
