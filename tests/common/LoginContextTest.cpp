#include "platform/base/HostError.h"
#include "platform/base/RecordsetBuilder.h"
#include "platform/base/Variant.h"
#include "src/common/LoginContext.h"
#include "src/common/PackedText.h"
#include "src/common/PropsString.h"
#include "src/common/Query.h"
#include "src/common/UserProfile.h"
#include "src/common/UserSetting.h"
#include "src/host/ProgIds.h"
#include "tests/support/FakeObject.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::RegisterFake;

namespace {

test::FakeObjectPtr PublishLogin(const QVariant& props, const QVariant& userId = 16) {
    auto share = RegisterFake(QString::fromLatin1(host::progid::kShareProps));
    share->On("GetProperty",
              [props, userId](QVariantList& args) { return args.value(1) == "PropsString" ? props : userId; });
    return share;
}

// A connection whose Execute answers the FValue rows given.
test::FakeObjectPtr SettingRows(const QVariantList& values) {
    RecordsetBuilder builder;
    builder.AddField("FValue", FieldType::Text);
    for (const QVariant& value : values) builder.AddRow({value});
    auto connection = RegisterFake(QString::fromLatin1(host::progid::kAppConnection));
    connection->Returns("Execute", QVariant::fromValue(builder.Finish()));
    return connection;
}

}  // namespace

TEST(ParsePropsString, SplitsPairsKeepingBracedValuesAndDroppingBlanks) {
    ASSERT_TRUE(ParsePropsString("UserID=7;C={a=1;b=2};UserName=x"));
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"UserID", "C", "UserName"}));
    EXPECT_EQ(GetPropItem("C"), "a=1;b=2");

    ParsePropsString("  UserID  =  7  ; Conn = { a=1 } ;");
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"UserID", "Conn"}));
    EXPECT_EQ(GetPropItem("USERID"), "7");
    EXPECT_EQ(GetPropItem("Conn"), "a=1");
    EXPECT_EQ(CurrentUserID(), 7);

    ParsePropsString("k={v}junk;next=1");  // what follows the brace up to the next ";" is dropped
    EXPECT_EQ(GetPropItem("k"), "v");
    EXPECT_EQ(GetPropItem("next"), "1");
    ParsePropsString("a=1;k={v;w=2");  // an unclosed brace runs to the end
    EXPECT_EQ(GetPropItem("k"), "v;w=2");
    ParsePropsString("a=1;=2;b=3");  // parsing stops at the first empty key
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"a"}));
}

TEST(ParsePropsString, EmptyTextGivesAnEmptyMapAndBadContentFails) {
    ParsePropsString("UserID=7");
    EXPECT_TRUE(ParsePropsString(QString()));
    EXPECT_EQ(PropsMap()->Count(), 0);
    EXPECT_THROW(GetPropItem("UserID"), HostError);

    EXPECT_THROW(ParsePropsString("UserID=1;userid=2"), HostError);
    ParsePropsString("UserID=32767");
    EXPECT_EQ(CurrentUserID(), 32767);
    ParsePropsString("UserID=70000");
    EXPECT_THROW(CurrentUserID(), HostError);
    ParsePropsString("UserID=abc");
    EXPECT_THROW(CurrentUserID(), HostError);
}

TEST(LoginContext, ReadersThatCannotFailAnswerEmptyAndZero) {
    EXPECT_EQ(SharedPropsString(), QString());
    EXPECT_EQ(SharedUserID(), 0);
    EXPECT_EQ(GetUserID(), QString());
    EXPECT_EQ(GetPropValue("UserID"), QString());
    PublishLogin("UserID=21;USERID=22", "abc");
    EXPECT_EQ(SharedUserID(), 0);
    EXPECT_EQ(GetUserID(), QString()) << "a repeated key";
}

TEST(GetPropValue, TakesTheTextFromTheEqualsSignToTheNextSemicolonAndChsForTheLanguage) {
    auto share = PublishLogin("LANGUAGE=en;UserID=16; Conn={a=1;b=2};DBName = acct");
    EXPECT_EQ(GetPropValue("language"), "chs");
    EXPECT_TRUE(share->Calls().empty());
    EXPECT_EQ(GetPropValue("userid"), "=16");
    EXPECT_EQ(GetPropValue("Conn"), "={a=1");
    EXPECT_EQ(GetPropValue("DBName"), QString());
    EXPECT_EQ(GetPropValue("DBName "), "= acct");
}

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

TEST(GetUserSetting, ReadsTheUsersRowAsANumberOrTheDefaultWithoutOne) {
    auto connection = SettingRows({"10.5"});
    EXPECT_DOUBLE_EQ(GetUserSetting(16, " RptFontSize ", 9), 10.5);
    EXPECT_EQ(connection->Calls()[0].args, QVariantList({"Select FValue From t_UserSetting Where FUserID=16 And "
                                                         "FCategory='QOR_APFC' And FKey ='RptFontSize'"}));
    GetUserSetting(16, "O'Key", 9);
    EXPECT_TRUE(connection->Calls()[1].args.value(0).toString().endsWith("FKey ='O''Key'"));

    const std::pair<QVariantList, double> cases[] = {{{QVariant()}, 0}, {{"大号"}, 0}, {{"12pt"}, 12}, {{}, 9}};
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

TEST(GetUserProfile, AnswersABooleanForABooleanDefaultAndEmptyWhenItCannotBeRead) {
    EXPECT_FALSE(GetUserProfile("app", "s", "Bold", true).isValid());
    auto values = Dictionary::New();
    values->Set("Bold", "True");
    values->Set("Italic", "sometimes");
    auto profile = RegisterFake(QString::fromLatin1(host::progid::kUserProfile));
    profile->Returns("Load", QVariant()).Returns("Dictionary", QVariant::fromValue(values));

    EXPECT_EQ(GetUserProfile("app", "frmBatchTrace", "bold", false), QVariant(true));
    EXPECT_EQ(profile->Calls()[0].args, QVariantList({"app", "frmBatchTrace"}));
    EXPECT_FALSE(GetUserProfile("app", "s", "Italic", true).isValid());
    EXPECT_EQ(GetUserProfile("app", "s", "None", false), QVariant(false));
    EXPECT_EQ(GetUserProfile("app", "s", "None", 7), "7");
}
