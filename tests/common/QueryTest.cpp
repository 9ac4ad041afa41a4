#include "base/HostError.h"
#include "common/Query.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::RegisterFake;

TEST(OpenClassRecordset, ShowsTheErrorAndTheStatementOnlyWhenAsked) {
    test::ScriptedMessages messages;
    auto classInfo = RegisterFake(QString::fromLatin1(host::progid::kClassInfo));
    EXPECT_EQ(OpenClassRecordset("   ", QString(), true), nullptr);
    EXPECT_TRUE(classInfo->Calls().empty()) << "a blank statement is not run";

    classInfo->On("GetData", [](QVariantList&) -> QVariant { throw HostError("语法错误"); });
    EXPECT_EQ(OpenClassRecordset("Select x", "p", false), nullptr);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(OpenClassRecordset("Select x", "p", true), nullptr);
    ASSERT_EQ(messages.Shown().size(), 1u);
    const auto& box = messages.Shown()[0];
    EXPECT_EQ(box.style, 48);
    EXPECT_EQ(box.title, "栎澄提示");
    EXPECT_EQ(box.text, "语法错误\r\nSelect x");
}
