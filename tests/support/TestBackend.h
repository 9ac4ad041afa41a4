#pragma once

#include <gtest/gtest.h>
#include <QString>
#include <ostream>
#include <string>

namespace qor::test {

// The back ends an integration test runs against: always SQLite, and
// PostgreSQL when QOR_TEST_PG names a server (a postgresql:// URL; the test
// run starts one, see scripts/run-tests.sh).
enum class TestBackend { Sqlite, PostgreSql };

// The server from QOR_TEST_PG, empty when it is unset.
QString TestServerUrl();
bool BackendAvailable(TestBackend backend);
// "Sqlite" or "PostgreSql", for test names.
std::string BackendName(const ::testing::TestParamInfo<TestBackend>& info);
// The same name where GoogleTest prints the parameter.
void PrintTo(TestBackend backend, std::ostream* out);

}  // namespace qor::test

// Runs a parameterised suite once per back end.
#define QOR_INSTANTIATE_FOR_BACKENDS(suite)                                                                 \
    INSTANTIATE_TEST_SUITE_P(                                                                               \
        , suite, ::testing::Values(::qor::test::TestBackend::Sqlite, ::qor::test::TestBackend::PostgreSql), \
        ::qor::test::BackendName)

// Skips the test when its back end has no server; in SetUp, derived
// fixtures return when ::testing::Test::IsSkipped().
#define QOR_SKIP_UNAVAILABLE(backend) \
    if (!::qor::test::BackendAvailable(backend)) GTEST_SKIP() << "QOR_TEST_PG names no PostgreSQL server"
