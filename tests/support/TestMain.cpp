#include "platform/host/ComponentFactory.h"

#include <gtest/gtest.h>
#include <QApplication>

// Every test program runs with a QApplication (widgets need one; it costs
// nothing for the others) and starts each test from an empty component registry.
namespace {
class CleanRegistry : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { qor::host::ComponentFactory::Clear(); }
};
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CleanRegistry);
    return RUN_ALL_TESTS();
}
