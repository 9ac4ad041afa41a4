#include "base/HostError.h"
#include "base/RecordsetBuilder.h"
#include "base/Variant.h"
#include "common/PackedText.h"
#include "common/SqlQuote.h"
#include "common/UserProfile.h"
#include "common/UserSetting.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::FakeObjectPtr;
using qor::test::RegisterFake;

namespace {

// A connection whose Execute answers the FValue rows given.
FakeObjectPtr SettingRows(const QVariantList& values) {
    RecordsetBuilder builder;
    builder.AddField(QStringLiteral("FValue"), FieldType::Text);
    for (const QVariant& value : values) builder.AddRow({value});
    auto connection = RegisterFake(QString::fromLatin1(host::progid::kAppConnection));
    connection->Returns(QStringLiteral("Execute"), QVariant::fromValue(builder.Finish()));
    return connection;
}

FakeObjectPtr Profile(const DictionaryPtr& values) {
    auto profile = RegisterFake(QString::fromLatin1(host::progid::kUserProfile));
    profile->Returns(QStringLiteral("Load"), QVariant());
    profile->Returns(QStringLiteral("Save"), QVariant());
    profile->Returns(QStringLiteral("Dictionary"), QVariant::fromValue(values));
    return profile;
}

}  // namespace

TEST(GetUserSetting, ReadsTheUsersRowOfCategoryQorApfc) {
    auto connection = SettingRows({QStringLiteral("10.5")});
    EXPECT_DOUBLE_EQ(GetUserSetting(16, QStringLiteral(" RptFontSize "), 9), 10.5);
    EXPECT_EQ(connection->Calls()[0].args,
              QVariantList({QStringLiteral("Select FValue From t_UserSetting Where FUserID=16 And "
                                           "FCategory='QOR_APFC' And FKey ='RptFontSize'")}));
    GetUserSetting(16, QStringLiteral("O'Key"), 9);
    EXPECT_TRUE(connection->Calls()[1].args.value(0).toString().endsWith(QStringLiteral("FKey ='O''Key'")));
}

TEST(GetUserSetting, NullOrTextValuesReadZeroAndMissingRowsTheDefault) {
    SettingRows({QVariant()});
    EXPECT_DOUBLE_EQ(GetUserSetting(16, QStringLiteral("RptFontSize"), 9), 0);
    SettingRows({QStringLiteral("大号")});
    EXPECT_DOUBLE_EQ(GetUserSetting(16, QStringLiteral("RptFontSize"), 9), 0);
    SettingRows({QStringLiteral("12pt")});
    EXPECT_DOUBLE_EQ(GetUserSetting(16, QStringLiteral("RptFontSize"), 9), 12);
    SettingRows({});
    EXPECT_DOUBLE_EQ(GetUserSetting(16, QStringLiteral("RptFontSize"), 9), 9);
    host::ComponentFactory::Clear();
    EXPECT_DOUBLE_EQ(GetUserSetting(16, QStringLiteral("RptFontSize"), 9), 9);
}

TEST(SqlQuote, DoublesQuotesAndOptionallyTrimsAndEncloses) {
    EXPECT_EQ(SqlQuote(QStringLiteral("O'Neil"), true, true), "'O''Neil'");
    EXPECT_EQ(SqlQuote(QStringLiteral(" a''b "), false, false), " a''''b ");
    EXPECT_EQ(SqlQuote(QStringLiteral(" x "), true, false), "' x '");
    EXPECT_EQ(SqlQuote(QString(), true, true), "''");
}

TEST(PackedText, FindsItemsWithoutRegardToCase) {
    const QString packed = JoinKV(QStringLiteral("FontName"), QStringLiteral("宋体"), QStringLiteral("|")) +
                           JoinKV(QStringLiteral("FontSize"), QStringLiteral("9"), QStringLiteral("|"));
    EXPECT_EQ(packed, "FontName=宋体|FontSize=9|");
    EXPECT_EQ(GetKV(packed, QStringLiteral("FontSize"), QStringLiteral("|")), "9");
    EXPECT_EQ(GetKV(packed, QStringLiteral("fontsize"), QStringLiteral("|")), "9");
    EXPECT_EQ(GetKV(packed, QStringLiteral("Bold"), QStringLiteral("|")), QString());
    EXPECT_EQ(GetKV(packed, QStringLiteral("Size"), QStringLiteral("|")), QString());
    EXPECT_EQ(GetKV(QStringLiteral("a=1|b=2"), QStringLiteral("b"), QStringLiteral("|")), "2");
    EXPECT_EQ(GetKV(QStringLiteral("a=1|b=2"), QStringLiteral("a"), QStringLiteral("|")), "1");
}

TEST(GetUserProfile, AnswersABooleanForABooleanDefault) {
    auto values = Dictionary::New();
    values->Set(QStringLiteral("Bold"), QStringLiteral("True"));
    values->Set(QStringLiteral("GridFont"), QStringLiteral("宋体|9"));
    auto profile = Profile(values);
    const QVariant bold =
        GetUserProfile(QStringLiteral("app"), QStringLiteral("frmBatchTrace"), QStringLiteral("bold"), false);
    EXPECT_EQ(bold.typeId(), QMetaType::Bool);
    EXPECT_TRUE(bold.toBool());
    EXPECT_EQ(GetUserProfile(QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("Italic"), false),
              QVariant(false));
    EXPECT_EQ(GetUserProfile(QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("GridFont"), QString()),
              "宋体|9");
    EXPECT_EQ(GetUserProfile(QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("None"), 7), "7");
    EXPECT_EQ(profile->Calls()[0].args, QVariantList({QStringLiteral("app"), QStringLiteral("frmBatchTrace")}));
}

TEST(GetUserProfile, AnswersEmptyWhenTheProfileCannotBeRead) {
    EXPECT_FALSE(GetUserProfile(QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("Bold"), true).isValid());
    auto values = Dictionary::New();
    values->Set(QStringLiteral("Bold"), QStringLiteral("sometimes"));
    Profile(values);
    EXPECT_FALSE(GetUserProfile(QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("Bold"), true).isValid());
}

TEST(SaveUserProfile, StoresTheValueAndSavesTheSection) {
    auto values = Dictionary::New();
    values->Set(QStringLiteral("GridFont"), QStringLiteral("old"));
    auto profile = Profile(values);
    EXPECT_TRUE(SaveUserProfile(QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("gridfont"),
                                QStringLiteral("黑体|12")));
    EXPECT_EQ(values->Count(), 1);
    EXPECT_EQ(values->Item(QStringLiteral("GridFont")), "黑体|12");
    const auto saves = profile->CallsOf(QStringLiteral("Save"));
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].args, QVariantList({QStringLiteral("app"), QStringLiteral("s")}));
    host::ComponentFactory::Clear();
    EXPECT_THROW(SaveUserProfile(QStringLiteral("app"), QStringLiteral("s"), QStringLiteral("k"), 1), HostError);
}
