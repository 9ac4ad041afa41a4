#include "base/HostError.h"
#include "base/RecordsetBuilder.h"
#include "common/KeptInstances.h"
#include "common/Query.h"
#include "common/SystemSettings.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::RegisterFake;
using qor::test::ScriptedMessages;

namespace {

const QString kProps = QStringLiteral("UserID=16;Conn={db}");

void PublishProps() {
    RegisterFake(QString::fromLatin1(host::progid::kShareProps))->Returns(QStringLiteral("GetProperty"), kProps);
}

RecordsetPtr OneRow() {
    RecordsetBuilder builder;
    builder.AddField(QStringLiteral("FValue"), FieldType::Text);
    builder.AddRow({QStringLiteral("x")});
    return builder.Finish();
}

}  // namespace

TEST(ReadSysValue, AsksSysInfoWithThePropertyString) {
    PublishProps();
    auto sysInfo = RegisterFake(QString::fromLatin1(host::progid::kSysInfo));
    sysInfo->Returns(QStringLiteral("GetSysValue"), 1);
    EXPECT_EQ(ReadSysValue(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0")), "1");
    const auto calls = sysInfo->CallsOf(QStringLiteral("GetSysValue"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, QVariantList({kProps, QStringLiteral("IC"), QStringLiteral("UseShortNumber")}));
}

TEST(ReadSysValue, AnswersTheDefaultWhenSysInfoIsMissingOrFails) {
    PublishProps();
    EXPECT_EQ(ReadSysValue(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0")), "0");
    RegisterFake(QString::fromLatin1(host::progid::kSysInfo))
        ->On(QStringLiteral("GetSysValue"), [](QVariantList&) -> QVariant { throw HostError(QStringLiteral("断开")); });
    EXPECT_EQ(ReadSysValue(QStringLiteral("IC"), QStringLiteral("UseOrderBatchTrace"), QStringLiteral("1")), "1");
}

TEST(KeptInstances, AreCreatedOnceAndForgottenWithTheRegistry) {
    int created = 0;
    auto glData = std::make_shared<test::FakeObject>(QString::fromLatin1(host::progid::kGLData));
    host::ComponentFactory::Register(QString::fromLatin1(host::progid::kGLData), [&created, glData] {
        ++created;
        return glData;
    });
    EXPECT_EQ(GLData(), GLData());
    EXPECT_EQ(created, 1);
    host::ComponentFactory::Clear();
    EXPECT_THROW(GLData(), HostError);
    auto replacement = RegisterFake(QString::fromLatin1(host::progid::kGLData));
    EXPECT_EQ(GLData(), replacement);
}

TEST(ExecSQL, RunsTheStatementThroughGetData) {
    PublishProps();
    auto rows = OneRow();
    auto getData = RegisterFake(QString::fromLatin1(host::progid::kGetData));
    getData->Returns(QStringLiteral("ExecuteSql"), QVariant::fromValue(rows));
    EXPECT_EQ(ExecSQL(QStringLiteral("Select 1")), rows);
    EXPECT_EQ(getData->Calls()[0].args, QVariantList({kProps, QStringLiteral("Select 1")}));
    host::ComponentFactory::Unregister(QString::fromLatin1(host::progid::kGetData));
    EXPECT_THROW(ExecSQL(QStringLiteral("Select 1")), HostError);
}

TEST(OpenClassRecordset, BlankStatementAnswersNothingWithoutAnyCall) {
    ScriptedMessages messages;
    auto classInfo = RegisterFake(QString::fromLatin1(host::progid::kClassInfo));
    EXPECT_EQ(OpenClassRecordset(QStringLiteral("   "), QString(), true), nullptr);
    EXPECT_TRUE(classInfo->Calls().empty());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(OpenClassRecordset, TakesTheSharedPropertyStringWhenNoneIsGiven) {
    PublishProps();
    auto rows = OneRow();
    auto classInfo = RegisterFake(QString::fromLatin1(host::progid::kClassInfo));
    classInfo->Returns(QStringLiteral("GetData"), QVariant::fromValue(rows));
    EXPECT_EQ(OpenClassRecordset(QStringLiteral("Select 2"), QString(), true), rows);
    EXPECT_EQ(OpenClassRecordset(QStringLiteral("Select 3"), QStringLiteral("own"), true), rows);
    const auto calls = classInfo->CallsOf(QStringLiteral("GetData"));
    EXPECT_EQ(calls[0].args, QVariantList({kProps, QStringLiteral("Select 2")}));
    EXPECT_EQ(calls[1].args, QVariantList({QStringLiteral("own"), QStringLiteral("Select 3")}));
}

TEST(OpenClassRecordset, ShowsTheErrorAndTheStatementOnlyWhenAsked) {
    ScriptedMessages messages;
    RegisterFake(QString::fromLatin1(host::progid::kClassInfo))
        ->On(QStringLiteral("GetData"), [](QVariantList&) -> QVariant { throw HostError(QStringLiteral("语法错误")); });
    EXPECT_EQ(OpenClassRecordset(QStringLiteral("Select x"), QStringLiteral("p"), false), nullptr);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(OpenClassRecordset(QStringLiteral("Select x"), QStringLiteral("p"), true), nullptr);
    ASSERT_EQ(messages.Shown().size(), 1u);
    const auto& box = messages.Shown()[0];
    EXPECT_EQ(box.kind, -1);
    EXPECT_EQ(box.style, 48);
    EXPECT_EQ(box.title, "栎澄提示");
    EXPECT_EQ(box.text, "语法错误\r\nSelect x");
}
