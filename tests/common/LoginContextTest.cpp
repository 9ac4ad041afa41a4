#include "common/LoginContext.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

test::FakeObjectPtr PublishLogin(const QVariant& props, const QVariant& userId = 16) {
    auto share = test::RegisterFake(QString::fromLatin1(host::progid::kShareProps));
    share->On("GetProperty",
              [props, userId](QVariantList& args) { return args.value(1) == "PropsString" ? props : userId; });
    return share;
}

}  // namespace

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
