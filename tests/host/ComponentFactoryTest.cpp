#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "platform/host/Dispatch.h"

#include <gtest/gtest.h>

using namespace qor;
using namespace qor::host;

namespace {

class Counter : public Dispatch {
public:
    Counter() : Dispatch(QStringLiteral("Test.Counter")) {
        Property(
            QStringLiteral("Step"), [this] { return step_; }, [this](const QVariant& v) { step_ = v.toInt(); });
        Method(QStringLiteral("Next"), [this](QVariantList&) { return value_ += step_; });
        Method(QStringLiteral("Child"),
               [](QVariantList&) { return QVariant::fromValue(ComponentFactory::Create("Test.Counter")); });
    }

private:
    int step_ = 1;
    int value_ = 0;
};

struct CountingObserver : CallObserver {
    QStringList members;
    void OnCall(const QString& progId, const QString& member, CallKind, const QVariantList&, const QVariant&,
                const QString&) override {
        members.append(progId + "." + member);
    }
};

}  // namespace

TEST(Dispatch, FindsMembersWithoutCaseAndRefusesUnknownOnes) {
    Counter c;
    c.Put(QStringLiteral("STEP"), 5);
    EXPECT_EQ(c.Get(QStringLiteral("step")).toInt(), 5);
    EXPECT_EQ(c.Call(QStringLiteral("next")).toInt(), 5);
    EXPECT_EQ(c.Get(QStringLiteral("Next")).toInt(), 10);  // a method without arguments reads like a property
    EXPECT_THROW(c.Call(QStringLiteral("Reset")), HostError);
    EXPECT_THROW(c.Put(QStringLiteral("Next"), 1), HostError);
}

TEST(ComponentFactory, CreatesByProgIdShowsCallsOnCreatedAndReturnedObjectsToTheObserverAndRefusesUnknownOnes) {
    ComponentFactory::Register(QStringLiteral("Test.Counter"), [] { return std::make_shared<Counter>(); });
    auto observer = std::make_shared<CountingObserver>();
    ComponentFactory::SetObserver(observer);
    auto a = ComponentFactory::Create(QStringLiteral("test.counter"));
    EXPECT_NE(a.get(), ComponentFactory::Create(QStringLiteral("Test.Counter")).get());
    a->Call(QStringLiteral("Next"));
    a->Call(QStringLiteral("Child")).value<ObjectPtr>()->Put(QStringLiteral("Step"), 2);
    ComponentFactory::SetObserver(nullptr);
    EXPECT_EQ(observer->members, (QStringList{"Test.Counter.Next", "Test.Counter.Child", "Test.Counter.Step"}));
    EXPECT_THROW(ComponentFactory::Create(QStringLiteral("Test.Missing")), HostError);

    auto factory = ComponentFactory::Create(QString::fromLatin1(kObjectFactoryProgId));
    auto viaFactory =
        factory->Call(QStringLiteral("CreateComponent"), {QStringLiteral("Test.Counter")}).value<ObjectPtr>();
    ASSERT_TRUE(viaFactory);
    EXPECT_EQ(viaFactory->ProgID(), "Test.Counter");

    ComponentFactory::Unregister(QStringLiteral("Test.Counter"));
    EXPECT_FALSE(ComponentFactory::IsRegistered(QStringLiteral("Test.Counter")));
}
