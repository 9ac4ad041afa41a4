#include "bench/BenchCompany.h"

#include "app/CompanyLogin.h"
#include "platform/base/HostError.h"
#include "platform/db/DemoCompany.h"
#include "platform/db/OpenDatabase.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/LoginContext.h"
#include "src/common/PropsString.h"
#include "src/component/OrderBatchTraceRegistration.h"
#include "src/host/ProgIds.h"

#include <QFileInfo>
#include <cstdio>
#include <stdexcept>

namespace qor::bench {

namespace {
void CreateBenchCompany(const QString& connectionText) {
    std::fprintf(stderr, "creating the bench company %s ...\n", qUtf8Printable(connectionText));
    auto db = db::OpenDatabase(connectionText, db::OpenMode::Create);
    db::CreateDemoCompany(*db, {1000000, 100000, 5000});
}
}  // namespace

QString BenchDatabase() {
    const QString path = qEnvironmentVariableIsEmpty("QOR_BENCH_DB") ? QStringLiteral("/tmp/qor-bench.db")
                                                                     : qEnvironmentVariable("QOR_BENCH_DB");
    if (!QFileInfo::exists(path)) CreateBenchCompany(path);
    return path;
}

QString BenchServerDatabase() {
    const QString url = qEnvironmentVariable("QOR_BENCH_PG").trimmed();
    if (url.isEmpty()) return url;
    try {
        db::OpenDatabase(url, db::OpenMode::Existing);
    } catch (const HostError&) {
        CreateBenchCompany(url);
    }
    return url;
}

services::SessionPtr OpenBenchSession(const QString& connectionText) {
    host::ComponentFactory::Clear();
    app::ShellOptions options;
    options.database = connectionText;
    options.user = QStringLiteral("administrator");
    options.password = QStringLiteral("demo");
    options.passwordGiven = true;
    QString error;
    services::SessionPtr session = app::OpenCompanySession(options, false, &error);
    if (!session) throw std::runtime_error(error.toStdString());
    RegisterOrderBatchTrace();
    host::ComponentFactory::Create(QString::fromLatin1(host::progid::kOrderBatchTrace));  // sets the number mode
    ParsePropsString(GetPropsString());
    return session;
}

}  // namespace qor::bench
