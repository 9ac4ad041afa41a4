#include "base/HostError.h"
#include "base/Variant.h"
#include "common/ShortNumberSwitch.h"
#include "component/COrderBatchTrace.h"
#include "component/OrderBatchTraceRegistration.h"
#include "host/ProgIds.h"
#include "support/FakeHost.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QTimer>

using namespace qor;
using qor::test::FakeObjectPtr;
using qor::test::RegisterFake;

namespace {

// The system profile as the host publishes it: key -> value under "IC".
FakeObjectPtr SystemProfile(const QHash<QString, QVariant>& values) {
    RegisterFake(QString::fromLatin1(host::progid::kShareProps))
        ->Returns(QStringLiteral("GetProperty"), QStringLiteral("UserID=16;"));
    auto sysInfo = RegisterFake(QString::fromLatin1(host::progid::kSysInfo));
    sysInfo->On(QStringLiteral("GetSysValue"), [values](QVariantList& args) {
        if (args.value(1) != QLatin1String("IC") || !values.contains(args.value(2).toString()))
            throw HostError(QStringLiteral("没有该系统参数"));
        return values.value(args.value(2).toString());
    });
    return sysInfo;
}

bool FeatureSwitchedOn(const QVariant& value) {
    SystemProfile({{QStringLiteral("UseOrderBatchTrace"), value}});
    return COrderBatchTrace().IsUseOrderBatchTrace();
}

bool ShortNumbersAfterCreation(const QVariant& value) {
    SetUseShortNumber(value.toString() != QLatin1String("1"));
    SystemProfile({{QStringLiteral("UseShortNumber"), value}});
    COrderBatchTrace trace;
    return UseShortNumber();
}

struct SeenWindow {
    QString objectName;
    QString title;
    bool modal = false;
    bool owned = true;
};

// Closes the next modal window as soon as it shows and tells what it was.
std::shared_ptr<SeenWindow> CloseNextModalWindow() {
    auto seen = std::make_shared<SeenWindow>();
    QTimer::singleShot(0, [seen] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        *seen = {window->objectName(), window->windowTitle(), window->isModal(), window->parent() != nullptr};
        window->reject();
    });
    return seen;
}

}  // namespace

TEST(IsUseOrderBatchTrace, IsOnExactlyForOneWithBlanksAround) {
    EXPECT_TRUE(FeatureSwitchedOn(QStringLiteral(" 1 ")));
    EXPECT_TRUE(FeatureSwitchedOn(1));
    EXPECT_FALSE(FeatureSwitchedOn(QStringLiteral("0")));
    EXPECT_FALSE(FeatureSwitchedOn(QStringLiteral("2")));
    EXPECT_FALSE(FeatureSwitchedOn(QString()));
    EXPECT_FALSE(FeatureSwitchedOn(QStringLiteral("yes")));
    EXPECT_FALSE(FeatureSwitchedOn(QStringLiteral("01")));
}

TEST(IsUseOrderBatchTrace, IsOnWhenTheProfileCannotBeRead) {
    EXPECT_TRUE(COrderBatchTrace().IsUseOrderBatchTrace());
    SystemProfile({});
    EXPECT_TRUE(COrderBatchTrace().IsUseOrderBatchTrace());
}

TEST(ShortNumberSwitch, IsSetByCreationFromTheProfile) {
    EXPECT_TRUE(ShortNumbersAfterCreation(QStringLiteral("1")));
    EXPECT_TRUE(ShortNumbersAfterCreation(QStringLiteral(" 1 ")));
    EXPECT_FALSE(ShortNumbersAfterCreation(QStringLiteral("0")));
    EXPECT_FALSE(ShortNumbersAfterCreation(QStringLiteral("2")));
}

TEST(ShortNumberSwitch, IsOffWhenTheValueIsNoNumberOrCannotBeRead) {
    EXPECT_FALSE(ShortNumbersAfterCreation(QString()));
    EXPECT_FALSE(ShortNumbersAfterCreation(QStringLiteral("abc")));
    host::ComponentFactory::Clear();
    SetUseShortNumber(true);
    COrderBatchTrace withoutProfile;
    EXPECT_FALSE(UseShortNumber());
}

TEST(ShortNumberSwitch, FollowsTheMostRecentlyCreatedObject) {
    SystemProfile({{QStringLiteral("UseShortNumber"), QStringLiteral("1")}});
    COrderBatchTrace first;
    SystemProfile({{QStringLiteral("UseShortNumber"), QStringLiteral("0")}});
    COrderBatchTrace second;
    EXPECT_FALSE(UseShortNumber());
}

TEST(COrderBatchTrace, PublishesItsSchemaAndTakesAReplacement) {
    COrderBatchTrace trace;
    const VectorPtr built = trace.VectCol();
    ASSERT_TRUE(built);
    EXPECT_EQ(built->Count(), 7);
    EXPECT_EQ(trace.VectCol(), built);

    auto replacement = Vector::New();
    trace.SetVectCol(replacement);
    EXPECT_EQ(trace.VectCol(), replacement);
}

TEST(COrderBatchTrace, ShowOpensTheListWindowModallyAndAnswersZero) {
    test::FakeHost host;
    COrderBatchTrace trace;
    for (int visit = 0; visit < 2; ++visit) {
        auto seen = CloseNextModalWindow();
        EXPECT_EQ(trace.Show(), 0);
        EXPECT_EQ(seen->objectName, "frmBatchTrace");
        EXPECT_EQ(seen->title, "客户BOM批次对应表");
        EXPECT_TRUE(seen->modal);
        EXPECT_FALSE(seen->owned);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(OrderBatchTraceRegistration, HostCreatesTheClassByItsProgId) {
    RegisterOrderBatchTrace();
    auto component = host::ComponentFactory::Create(QStringLiteral("QOROrderBatchTrace.COrderBatchTrace"));
    const auto schema = component->Get(QStringLiteral("VectCol")).value<VectorPtr>();
    ASSERT_TRUE(schema);
    EXPECT_EQ(schema->Count(), 7);
    EXPECT_EQ(component->Get(QStringLiteral("VectCol")).value<VectorPtr>(), schema);

    auto replacement = Vector::New();
    component->Put(QStringLiteral("VectCol"), QVariant::fromValue(replacement));
    EXPECT_EQ(component->Get(QStringLiteral("VectCol")).value<VectorPtr>(), replacement);
    EXPECT_THROW(component->Put(QStringLiteral("VectCol"), QStringLiteral("not a schema")), HostError);

    EXPECT_EQ(component->Call(QStringLiteral("IsUseOrderBatchTrace")), QVariant(true));
    test::FakeHost host;
    CloseNextModalWindow();
    EXPECT_EQ(component->Call(QStringLiteral("Show")), QVariant(0));
}
