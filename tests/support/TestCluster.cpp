#include "tests/support/TestCluster.h"

#include <QProcess>
#include <stdexcept>

namespace qor::test {

TestCluster::~TestCluster() {
    if (!running_) return;
    try {
        Stop();
    } catch (const std::exception&) {
        // The folder goes with the object; a server left running would stop
        // when the machine's test run ends.
    }
}

QString TestCluster::Run(const QString& command) {
    QProcess script;
    script.start(QStringLiteral("bash"), {QStringLiteral(QOR_PG_CLUSTER_SCRIPT), command, dir_.path()});
    if (!script.waitForFinished(120000) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0)
        throw std::runtime_error(("pg-test-cluster.sh " + command + " failed: ").toStdString() +
                                 script.readAllStandardError().toStdString());
    return QString::fromUtf8(script.readAllStandardOutput()).trimmed();
}

void TestCluster::Start() {
    url_ = Run(QStringLiteral("start"));
    running_ = true;
}

void TestCluster::Stop() {
    Run(QStringLiteral("stop"));
    running_ = false;
}

}  // namespace qor::test
