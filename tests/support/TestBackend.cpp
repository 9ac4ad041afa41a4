#include "tests/support/TestBackend.h"

namespace qor::test {

QString TestServerUrl() { return qEnvironmentVariable("QOR_TEST_PG").trimmed(); }

bool BackendAvailable(TestBackend backend) { return backend == TestBackend::Sqlite || !TestServerUrl().isEmpty(); }

void PrintTo(TestBackend backend, std::ostream* out) {
    *out << (backend == TestBackend::Sqlite ? "Sqlite" : "PostgreSql");
}

std::string BackendName(const ::testing::TestParamInfo<TestBackend>& info) {
    return ::testing::PrintToString(info.param);
}

}  // namespace qor::test
