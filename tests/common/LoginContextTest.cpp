#include "platform/base/HostError.h"
#include "platform/base/RecordsetBuilder.h"
#include "platform/base/Variant.h"
#include "src/common/LoginContext.h"
#include "src/common/PackedText.h"
#include "src/common/PropsString.h"
#include "src/common/Query.h"
#include "src/common/UserSetting.h"
#include "src/host/ProgIds.h"
#include "tests/support/FakeObject.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::RegisterFake;

namespace {

void PublishLogin(const QVariant& props, const QVariant& userId = 16) {
    RegisterFake(host::progid::kShareProps)->On("GetProperty", [props, userId](QVariantList& args) {
        return args.value(1) == "PropsString" ? props : userId;
    });
}

// A connection whose Execute answers the FValue rows given.
test::FakeObjectPtr SettingRows(const QVariantList& values) {
    RecordsetBuilder builder;
    builder.AddField("FValue", FieldType::Text);
    for (const QVariant& value : values) builder.AddRow({value});
    auto connection = RegisterFake(host::progid::kAppConnection);
    connection->Returns("Execute", QVariant::fromValue(builder.Finish()));
    return connection;
}

}  // namespace

// Braced values keep their semicolons; what follows a closing brace up to the
// next ";" is dropped, an unclosed brace runs to the end and the first empty
// key ends the parsing.
TEST(ParsePropsString, SplitsPairsKeepingBracedValuesAndDroppingBlanksAndFailsOnBadContent) {
    const std::tuple<const char*, QStringList, const char*, const char*> cases[] = {
        {"UserID=7;C={a=1;b=2};UserName=x", {"UserID", "C", "UserName"}, "C", "a=1;b=2"},
        {"  UserID  =  7  ; Conn = { a=1 } ;", {"UserID", "Conn"}, "Conn", "a=1"},
        {"k={v}junk;next=1", {"k", "next"}, "K", "v"},
        {"a=1;k={v;w=2", {"a", "k"}, "k", "v;w=2"},
        {"a=1;=2;b=3", {"a"}, "A", "1"},
    };
    for (const auto& [text, keys, key, value] : cases) {
        ASSERT_TRUE(ParsePropsString(text)) << text;
        EXPECT_EQ(PropsMap()->Keys(), keys) << text;
        EXPECT_EQ(GetPropItem(key), value) << text;
    }

    // Empty text clears the map; repeated keys and bad user ids fail.
    ParsePropsString("  UserID  =  7  ;");
    EXPECT_EQ(CurrentUserID(), 7);
    EXPECT_TRUE(ParsePropsString(QString()));
    EXPECT_EQ(PropsMap()->Count(), 0);
    EXPECT_THROW(GetPropItem("UserID"), HostError);

    EXPECT_THROW(ParsePropsString("UserID=1;userid=2"), HostError);
    ParsePropsString("UserID=32767");
    EXPECT_EQ(CurrentUserID(), 32767);
    for (const char* bad : {"UserID=70000", "UserID=abc"}) {
        ParsePropsString(bad);
        EXPECT_THROW(CurrentUserID(), HostError) << bad;
    }
}

TEST(LoginContext, ReadersThatCannotFailAnswerEmptyAndZeroAndGetPropValueTheRawText) {
    EXPECT_EQ(SharedPropsString(), QString());
    EXPECT_EQ(SharedUserID(), 0);
    EXPECT_EQ(GetUserID(), QString());
    EXPECT_EQ(GetPropValue("UserID"), QString());
    PublishLogin("UserID=21;USERID=22", "abc");
    EXPECT_EQ(SharedUserID(), 0);
    EXPECT_EQ(GetUserID(), QString()) << "a repeated key";

    // GetPropValue takes the text from the equals sign to the next semicolon,
    // and "chs" for the language.
    PublishLogin("LANGUAGE=en;UserID=16; Conn={a=1;b=2};DBName = acct");
    EXPECT_EQ(GetPropValue("language"), "chs");
    EXPECT_EQ(GetPropValue("userid"), "=16");
    EXPECT_EQ(GetPropValue("Conn"), "={a=1");
    EXPECT_EQ(GetPropValue("DBName"), QString());
    EXPECT_EQ(GetPropValue("DBName "), "= acct");
}

TEST(OpenClassRecordset, ShowsTheErrorAndTheStatementOnlyWhenAsked) {
    test::ScriptedMessages messages;
    auto classInfo = RegisterFake(host::progid::kClassInfo);
    EXPECT_EQ(OpenClassRecordset("   ", QString(), true), nullptr);
    EXPECT_TRUE(messages.Shown().empty()) << "a blank statement is not run";

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

TEST(GetUserSetting, ReadsTheUsersRowAsANumberOrTheDefaultWithoutOne) {
    auto connection = SettingRows({"10.5"});
    EXPECT_DOUBLE_EQ(GetUserSetting(16, " RptFontSize ", 9), 10.5);
    EXPECT_EQ(connection->Calls()[0].args, QVariantList({"Select FValue From t_UserSetting Where FUserID=16 And "
                                                         "FCategory='QOR_APFC' And FKey ='RptFontSize'"}));

    const std::pair<QVariantList, double> cases[] = {{{QVariant()}, 0}, {{"12pt"}, 12}, {{}, 9}};
    for (const auto& [rows, expected] : cases) {
        SettingRows(rows);
        EXPECT_DOUBLE_EQ(GetUserSetting(16, "RptFontSize", 9), expected);
    }
    host::ComponentFactory::Clear();
    EXPECT_DOUBLE_EQ(GetUserSetting(16, "RptFontSize", 9), 9);
}

TEST(PackedText, FindsItemsWithoutRegardToCase) {
    const QString packed = "FontName=宋体|FontSize=9|";
    EXPECT_EQ(GetKV(packed, "fontsize", "|"), "9");
    EXPECT_EQ(GetKV(packed, "Bold", "|"), QString());
    EXPECT_EQ(GetKV(packed, "Size", "|"), QString());
    EXPECT_EQ(GetKV("a=1|b=2", "b", "|"), "2");
}
