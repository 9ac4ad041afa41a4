#include "base/RecordsetBuilder.h"
#include "base/Variant.h"
#include "common/PackedText.h"
#include "common/UserProfile.h"
#include "common/UserSetting.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::RegisterFake;

namespace {

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
