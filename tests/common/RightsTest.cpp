#include "base/HostError.h"
#include "base/RecordsetBuilder.h"
#include "common/Rights.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::FakeObjectPtr;
using qor::test::RegisterFake;
using qor::test::ScriptedMessages;

namespace {

const QString kProps = QStringLiteral("UserID=16;");
const QString kRefused = QStringLiteral("没有权限,请与系统管理员联系");
const QString kReadError = QStringLiteral("数据读取错误，无法检测序时薄权限。");

FakeObjectPtr ListInfo(const QString& logic) {
    RegisterFake(QString::fromLatin1(host::progid::kShareProps))->Returns(QStringLiteral("GetProperty"), kProps);
    RecordsetBuilder builder;
    builder.AddField(QStringLiteral("FLogicStr"), FieldType::Text);
    builder.AddRow({logic});
    auto sysInfo = RegisterFake(QString::fromLatin1(host::progid::kSysInfo));
    sysInfo->Returns(QStringLiteral("GetListInfo"), QVariant::fromValue(builder.Finish()));
    return sysInfo;
}

// A GLData that grants exactly the rights in granted, each as {module, detail, mask}.
FakeObjectPtr Rights(std::vector<QVariantList> granted) {
    auto glData = RegisterFake(QString::fromLatin1(host::progid::kGLData));
    glData->On(QStringLiteral("AccessCheck"), [granted](QVariantList& args) {
        return QVariant(std::find(granted.begin(), granted.end(), args) != granted.end());
    });
    return glData;
}

std::vector<QVariantList> AccessChecks(const FakeObjectPtr& glData) {
    std::vector<QVariantList> asked;
    for (const auto& call : glData->CallsOf(QStringLiteral("AccessCheck"))) asked.push_back(call.args);
    return asked;
}

}  // namespace

TEST(CheckRight, AsksGLDataAndCountsEveryFailureAsRefusal) {
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));
    auto glData = Rights({{1099, 20, kRightNew}});
    EXPECT_TRUE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightDelete));
    glData->On(QStringLiteral("AccessCheck"), [](QVariantList&) -> QVariant { throw HostError(QStringLiteral("x")); });
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));
}

TEST(CheckListRight, ChecksModule1004AsModule1003) {
    ScriptedMessages messages;
    auto sysInfo = ListInfo(QStringLiteral("|FModule:1004|FModelDetail:3|"));
    auto glData = Rights({{1003, 3, kRightView}});
    EXPECT_TRUE(CheckListRight(32));
    EXPECT_EQ(sysInfo->Calls()[0].args, QVariantList({kProps, 32}));
    EXPECT_EQ(AccessChecks(glData), std::vector<QVariantList>({{1003, 3, kRightView}}));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(CheckListRight, RefusalShowsItsMessageAndAListWithoutModuleIsModuleZero) {
    ScriptedMessages messages;
    ListInfo(QStringLiteral("|FModelDetail:7|"));
    auto glData = Rights({});
    EXPECT_FALSE(CheckListRight(32));
    EXPECT_EQ(AccessChecks(glData), std::vector<QVariantList>({{0, 7, kRightView}}));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, kRefused);
    EXPECT_EQ(messages.Shown()[0].title, "栎澄提示");
    EXPECT_EQ(messages.Shown()[0].style, 0);
}

TEST(CheckListRight, AsksModuleZeroAgainForModule1015Detail10) {
    ScriptedMessages messages;
    ListInfo(QStringLiteral("|FModule:1015|FModelDetail:10|"));
    auto glData = Rights({{0, 10, kRightView}});
    EXPECT_TRUE(CheckListRight(32));
    EXPECT_EQ(AccessChecks(glData), std::vector<QVariantList>({{1015, 10, kRightView}, {0, 10, kRightView}}));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(CheckListRight, ReadFailuresShowTheirOwnMessage) {
    ScriptedMessages messages;
    Rights({{0, 0, kRightView}});
    EXPECT_FALSE(CheckListRight(32));
    ListInfo(QStringLiteral("|FModule:1004|"));
    host::ComponentFactory::Unregister(QString::fromLatin1(host::progid::kGLData));
    EXPECT_FALSE(CheckListRight(32));
    EXPECT_EQ(messages.Texts(), QStringList({kReadError, kReadError}));
}

TEST(GetLogicValue, ReadsTheLeadingNumberAfterBarKeyColon) {
    const QString logic = QStringLiteral("|FModule:1004|FModelDetail:3|");
    EXPECT_EQ(GetLogicValue(logic, QStringLiteral("fmodule")), "1004");
    EXPECT_EQ(GetLogicValue(logic, QStringLiteral("FModelDetail")), "3");
    EXPECT_EQ(GetLogicValue(logic, QStringLiteral("FOther")), QString());
    EXPECT_EQ(GetLogicValue(QStringLiteral("FModule:5|"), QStringLiteral("FModule")), QString());
    EXPECT_EQ(GetLogicValue(QStringLiteral("|FModule:x|"), QStringLiteral("FModule")), "0");
}
