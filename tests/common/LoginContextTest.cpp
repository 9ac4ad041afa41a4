#include "base/HostError.h"
#include "common/LoginContext.h"
#include "common/PropsString.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

using namespace qor;
using qor::test::FakeObjectPtr;
using qor::test::RegisterFake;

namespace {

FakeObjectPtr PublishLogin(const QVariant& props, const QVariant& userId = 16) {
    auto share = RegisterFake(QString::fromLatin1(host::progid::kShareProps));
    share->On(QStringLiteral("GetProperty"), [props, userId](QVariantList& args) -> QVariant {
        const QString key = args.value(1).toString();
        if (key == QLatin1String("PropsString")) return props;
        if (key == QLatin1String("UserID")) return userId;
        if (key == QLatin1String("UserName")) return QStringLiteral("王工");
        return QVariant();
    });
    return share;
}

}  // namespace

TEST(GetSharedProperty, AsksForTheKeyUnderThisProcessId) {
    auto share = PublishLogin(QStringLiteral("UserID=16;"));
    EXPECT_EQ(GetPropsString(), "UserID=16;");
    EXPECT_EQ(GetUserName(), "王工");
    const auto calls = share->CallsOf(QStringLiteral("GetProperty"));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args.value(0).typeId(), QMetaType::Int);
    EXPECT_EQ(calls[0].args.value(0).toLongLong(), QCoreApplication::applicationPid());
    EXPECT_EQ(calls[0].args.value(1), "PropsString");
    EXPECT_EQ(calls[1].args.value(1), "UserName");
}

TEST(GetSharedProperty, HandsBackAnObjectAsTheObject) {
    auto published = std::make_shared<test::FakeObject>(QStringLiteral("Some.Object"));
    RegisterFake(QString::fromLatin1(host::progid::kShareProps))
        ->Returns(QStringLiteral("GetProperty"), QVariant::fromValue<host::ObjectPtr>(published));
    EXPECT_EQ(GetSharedProperty(QStringLiteral("Anything")).value<host::ObjectPtr>(), published);
}

TEST(GetSharedProperty, LetsAMissingComponentReachTheCaller) {
    EXPECT_THROW(GetSharedProperty(QStringLiteral("PropsString")), HostError);
    EXPECT_THROW(GetPropsString(), HostError);
}

TEST(SharedReaders, AnswerEmptyAndZeroWhenTheContextCannotBeRead) {
    EXPECT_EQ(SharedPropsString(), QString());
    EXPECT_EQ(SharedUserID(), 0);
    PublishLogin(QStringLiteral("UserID=16;"), QStringLiteral("abc"));
    EXPECT_EQ(SharedPropsString(), "UserID=16;");
    EXPECT_EQ(SharedUserID(), 0);
    PublishLogin(QStringLiteral("UserID=16;"), QStringLiteral("16"));
    EXPECT_EQ(SharedUserID(), 16);
}

TEST(GetUserID, ParsesTheCurrentStringAgain) {
    PublishLogin(QStringLiteral("UserID=21;UserName=x"));
    EXPECT_EQ(GetUserID(), "21");
    EXPECT_EQ(GetPropItem(QStringLiteral("UserName")), "x");
}

TEST(GetUserID, AnswersEmptyOnARepeatedKeyOrWithoutComponent) {
    PublishLogin(QStringLiteral("UserID=21;USERID=22"));
    EXPECT_EQ(GetUserID(), QString());
    host::ComponentFactory::Clear();
    EXPECT_EQ(GetUserID(), QString());
}

TEST(GetPropValue, AnswersChsForTheLanguageWithoutReadingTheString) {
    auto share = PublishLogin(QStringLiteral("LANGUAGE=en;UserID=16"));
    EXPECT_EQ(GetPropValue(QStringLiteral("language")), "chs");
    EXPECT_TRUE(share->Calls().empty());
}

TEST(GetPropValue, TakesTheTextFromTheEqualsSignToTheNextSemicolon) {
    PublishLogin(QStringLiteral("UserID=16; Conn={a=1;b=2};DBName = acct"));
    EXPECT_EQ(GetPropValue(QStringLiteral("userid")), "=16");
    EXPECT_EQ(GetPropValue(QStringLiteral("Conn")), "={a=1");
    EXPECT_EQ(GetPropValue(QStringLiteral("DBName")), QString());
    EXPECT_EQ(GetPropValue(QStringLiteral("DBName ")), "= acct");
    EXPECT_EQ(GetPropValue(QStringLiteral("Missing")), QString());
    host::ComponentFactory::Clear();
    EXPECT_EQ(GetPropValue(QStringLiteral("UserID")), QString());
}
