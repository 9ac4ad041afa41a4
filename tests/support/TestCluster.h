#pragma once

#include <QString>
#include <QTemporaryDir>

namespace qor::test {

// A PostgreSQL cluster of its own for a test that stops and starts its
// server, made and run by scripts/pg-test-cluster.sh in a temporary folder
// on a free port of 127.0.0.1. Stopped when the object goes.
class TestCluster {
public:
    ~TestCluster();

    // Makes the cluster on the first start; throws std::runtime_error with
    // the script's output when it fails.
    void Start();
    void Stop();
    // The URL of the cluster's database qor_test; set by the first Start.
    const QString& Url() const { return url_; }

private:
    QString Run(const QString& command);

    QTemporaryDir dir_;
    QString url_;
    bool running_ = false;
};

}  // namespace qor::test
