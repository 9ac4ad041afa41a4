#include "tests/support/TestBackend.h"

namespace qor::test {

QString TestServerUrl() { return qEnvironmentVariable("QOR_TEST_PG").trimmed(); }

bool BackendAvailable(TestBackend backend) { return backend == TestBackend::Sqlite || !TestServerUrl().isEmpty(); }

std::string BackendName(const ::testing::TestParamInfo<TestBackend>& info) {
    return info.param == TestBackend::Sqlite ? "Sqlite" : "PostgreSql";
}

void PrintTo(TestBackend backend, std::ostream* out) {
    *out << (backend == TestBackend::Sqlite ? "Sqlite" : "PostgreSql");
}

}  // namespace qor::test
