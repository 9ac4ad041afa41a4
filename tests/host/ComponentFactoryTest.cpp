#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "platform/host/Dispatch.h"

#include <gtest/gtest.h>

using namespace qor;
using namespace qor::host;

namespace {

class Counter : public Dispatch {
public:
    Counter() : Dispatch("Test.Counter") {
        Property(
            "Step", [this] { return step_; }, [this](const QVariant& v) { step_ = v.toInt(); });
        Method("Next", [this](QVariantList&) { return value_ += step_; });
        Method("Child", [](QVariantList&) { return QVariant::fromValue(ComponentFactory::Create("Test.Counter")); });
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

TEST(Dispatch, FindsMembersWithoutCaseAndRefusesToPutAMethod) {
    Counter c;
    c.Put("STEP", 5);
    EXPECT_EQ(c.Get("step").toInt(), 5);
    EXPECT_EQ(c.Call("next").toInt(), 5);
    EXPECT_EQ(c.Get("Next").toInt(), 10);  // a method without arguments reads like a property
    EXPECT_THROW(c.Put("Next", 1), HostError);
}

TEST(ComponentFactory, CreatesAFreshObjectByProgIdAndShowsCallsOnCreatedAndReturnedObjectsToTheObserver) {
    ComponentFactory::Register("Test.Counter", [] { return std::make_shared<Counter>(); });
    auto observer = std::make_shared<CountingObserver>();
    ComponentFactory::SetObserver(observer);
    auto a = ComponentFactory::Create("test.counter");
    EXPECT_NE(a.get(), ComponentFactory::Create("Test.Counter").get());
    a->Call("Next");
    a->Call("Child").value<ObjectPtr>()->Put("Step", 2);
    ComponentFactory::SetObserver(nullptr);
    EXPECT_EQ(observer->members, (QStringList{"Test.Counter.Next", "Test.Counter.Child", "Test.Counter.Step"}));
}
