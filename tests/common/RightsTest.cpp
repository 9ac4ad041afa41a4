#include "base/HostError.h"
#include "base/RecordsetBuilder.h"
#include "common/Rights.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::FakeObjectPtr;
using qor::test::RegisterFake;

namespace {

const QString kReadError = QStringLiteral("数据读取错误，无法检测序时薄权限。");

void ListInfo(const QString& logic) {
    RegisterFake(QString::fromLatin1(host::progid::kShareProps))->Returns("GetProperty", "UserID=16;");
    RecordsetBuilder builder;
    builder.AddField("FLogicStr", FieldType::Text);
    builder.AddRow({logic});
    RegisterFake(QString::fromLatin1(host::progid::kSysInfo))
        ->Returns("GetListInfo", QVariant::fromValue(builder.Finish()));
}

// A GLData that grants exactly the rights in granted, each as {module, detail, mask}.
FakeObjectPtr Rights(std::vector<QVariantList> granted) {
    auto glData = RegisterFake(QString::fromLatin1(host::progid::kGLData));
    glData->On("AccessCheck", [granted](QVariantList& args) {
        return QVariant(std::find(granted.begin(), granted.end(), args) != granted.end());
    });
    return glData;
}

}  // namespace

TEST(CheckRight, AsksGLDataAndCountsEveryFailureAsRefusal) {
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));
    auto glData = Rights({{1099, 20, kRightNew}});
    EXPECT_TRUE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightDelete));
    glData->On("AccessCheck", [](QVariantList&) -> QVariant { throw HostError("x"); });
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));
}

TEST(CheckListRight, ChecksTheListsModuleWithItsOddCases) {
    struct Case {
        QString logic;
        std::vector<QVariantList> granted;
        std::vector<QVariantList> asked;
        bool allowed;
    };
    const Case cases[] = {
        {"|FModule:1004|FModelDetail:3|", {{1003, 3, kRightView}}, {{1003, 3, kRightView}}, true},
        {"|FModelDetail:7|", {}, {{0, 7, kRightView}}, false},
        {"|FModule:1015|FModelDetail:10|", {{0, 10, kRightView}}, {{1015, 10, kRightView}, {0, 10, kRightView}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logic.toStdString());
        host::ComponentFactory::Clear();  // GLData is kept until then
        test::ScriptedMessages messages;
        ListInfo(c.logic);
        auto glData = Rights(c.granted);
        EXPECT_EQ(CheckListRight(32), c.allowed);
        std::vector<QVariantList> asked;
        for (const auto& call : glData->CallsOf("AccessCheck")) asked.push_back(call.args);
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(messages.Texts(), c.allowed ? QStringList() : QStringList{"没有权限,请与系统管理员联系"});
    }
}

TEST(CheckListRight, ReadFailuresShowTheirOwnMessage) {
    test::ScriptedMessages messages;
    Rights({{0, 0, kRightView}});
    EXPECT_FALSE(CheckListRight(32));
    ListInfo("|FModule:1004|");
    host::ComponentFactory::Unregister(QString::fromLatin1(host::progid::kGLData));
    EXPECT_FALSE(CheckListRight(32));
    EXPECT_EQ(messages.Texts(), QStringList({kReadError, kReadError}));
}
