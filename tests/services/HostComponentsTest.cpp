#include "tests/services/CompanyFixture.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/db/Passwords.h"
#include "platform/services/Authenticate.h"
#include "platform/services/MessageDialog.h"
#include "src/host/ProgIds.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <tuple>

namespace qor::test {
namespace {

using HostStoresTest = CompanyFixture;

QOR_INSTANTIATE_FOR_BACKENDS(HostStoresTest);

// A log line records the user, the time and the machine.
TEST_P(HostStoresTest, LogSystemValuesListsRightsProfilesAndQueriesAnswerFromTheirRows) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVariantList args{"K810022", 3, "删除物料: 控制板 客户BOM批次对应信息成功！"};
    Create(host::progid::kGLData)->CallRef("WriteLog", args);

    EXPECT_EQ(Rows("SELECT FUserID, FUserName, FCode, FKind, FText, FMachine FROM t_Log"),
              "16|王工|K810022|3|删除物料: 控制板 客户BOM批次对应信息成功！|WS-07");
    const QDateTime logged = QDateTime::fromString(Rows("SELECT FTime FROM t_Log"), "yyyy-MM-dd HH:mm:ss");
    EXPECT_TRUE(logged >= before && logged <= QDateTime::currentDateTime().addSecs(1))
        << logged.toString().toStdString();

    database_->ExecuteScript(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'UseShortNumber', '1'), "
        "('IC', 'Blank', NULL);"
        "INSERT INTO t_ListDefinition (FListID, FName, FLogicStr) VALUES (32, '销售订单', '|FModule:1004|');"
        "INSERT INTO t_UserDataRight (FUserID, FRightKind, FEnabled) VALUES (5, 2, 1), (5, 4, 0);"
        "INSERT INTO t_UserProfile (FUserID, FApplication, FSection, FKey, FValue) VALUES "
        "(16, 'QOROrderBatchTrace', 'frmBatchTrace', 'GridFont', 'FontName=宋体|FontSize=9|'), "
        "(16, 'QOROrderBatchTrace', 'Other', 'Kept', 'x'), "
        "(17, 'QOROrderBatchTrace', 'frmBatchTrace', 'Bold', 'True');"
        "INSERT INTO t_ICItem (FItemID, FNumber, FName, FErpClsID) VALUES (1, '1.01', '控制板', 7);");
    auto sysInfo = Create(host::progid::kSysInfo);
    for (const auto& [key, value] : {std::pair{"UseShortNumber", "1"}, {"UseOrderBatchTrace", ""}, {"Blank", ""}})
        EXPECT_EQ(sysInfo->Call("GetSysValue", {QString(), "IC", key}), QVariant(QString::fromUtf8(value))) << key;

    auto list = sysInfo->Call("GetListInfo", {QString(), 32}).value<RecordsetPtr>();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Fields("FLogicStr").Text(), "|FModule:1004|");

    auto itemInfo = Create(host::progid::kItemInfo);
    const std::tuple<int, int, int> rights[] = {{5, 2, 1}, {5, 4, 0}, {5, 1, 0}, {6, 2, 0}};
    for (const auto& [user, kind, right] : rights)
        EXPECT_EQ(ToInt32(itemInfo->Call("GetDataRight", {QString(), user, kind})), right) << user << ' ' << kind;

    // The list reads its grid font from the user's own section.
    auto profile = Create(host::progid::kUserProfile);
    profile->Call("Load", {"QOROrderBatchTrace", "frmBatchTrace"});
    auto values = profile->Get("Dictionary").value<DictionaryPtr>();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->Count(), 1);
    EXPECT_EQ(values->GetValue("gridfont", {}), QVariant("FontName=宋体|FontSize=9|"));

    // The list reads the user's report font size through Execute and the edit
    // window resolves a typed order through ClassInfo; a failing statement
    // reaches the caller as the host's error.
    const auto first = [](const QVariant& answer) { return answer.value<RecordsetPtr>()->Fields(0).Text(); };
    auto connection = Create(host::progid::kAppConnection);
    EXPECT_EQ(first(connection->Call("Execute", {" select FName from t_ICItem"})), "控制板");
    EXPECT_EQ(first(Create(host::progid::kClassInfo)->Call("GetData", {QString(), "SELECT FNumber FROM t_ICItem"})),
              "1.01");
    EXPECT_THROW(connection->Call("GetAnyRecordset", {"SELECT * FROM t_Missing"}), HostError);
}

// A password stored the older way (SHA-256 of salt and password) is stored
// with Argon2id after its first successful login.
TEST_P(HostStoresTest, RightPasswordGivesTheUsersSessionAndRefusalsSayWhy) {
    const QString salt = "5a17";
    const QString older =
        QString::fromLatin1(QCryptographicHash::hash("5a17secret", QCryptographicHash::Sha256).toHex());
    Exec("INSERT INTO t_User (FName, FSalt, FPasswordHash, FForbidden) VALUES ('王工', ?, ?, 0), ('离职', '', ?, 1)",
         {salt, older, db::HashPassword("secret")});
    for (int login = 0; login < 2; ++login) {
        auto session = services::Authenticate(database_, " 王工 ", "secret");
        ASSERT_TRUE(session);
        EXPECT_EQ(session->userName, "王工");
        EXPECT_EQ(Rows("SELECT FSalt, substr(FPasswordHash, 1, 10) FROM t_User WHERE FName = '王工'"), "|$argon2id$");
    }
    const QString users = Rows("SELECT * FROM t_User ORDER BY FUserID");

    const std::tuple<const char*, const char*, const char*> refusals[] = {
        {"离职", "secret", "用户 离职 已被禁用，请与系统管理员联系！"},
        {"  ", "secret", "请输入用户名！"},
    };
    for (const auto& [name, password, refusal] : refusals) {
        SCOPED_TRACE(name);
        try {
            services::Authenticate(database_, name, password);
            ADD_FAILURE() << "logged in";
        } catch (const HostError& e) {
            EXPECT_EQ(e.Description(), QString::fromUtf8(refusal));
        }
    }
    EXPECT_EQ(Rows("SELECT * FROM t_User ORDER BY FUserID"), users);
    EXPECT_EQ(Count("t_Log"), 0);
}

TEST(AppPub, FormatMessageFillsNumberedPlaceholders) {
    services::RegisterHostComponents(std::make_shared<services::Session>());
    auto appPub = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kAppPub));
    const std::tuple<const char*, QVariantList, const char*> cases[] = {
        {"新增物料: %1 客户BOM批次对应信息成功！", QVariantList{"控制板"},
         "新增物料: 控制板 客户BOM批次对应信息成功！"},
        {"%2 / %1", QVariantList{"B1", 7}, "7 / B1"},
        {"%1 %3 100%", QVariantList{"a", "b"}, "a %3 100%"},
        {"%1", QVariantList{"%2", "b"}, "%2"},
        {"[%1]", QVariantList{QVariant()}, "[]"},
        {"%10", QVariantList{"a"}, "a0"},
    };
    for (const auto& [text, values, expected] : cases)
        EXPECT_EQ(appPub->Call("FormatMessage", {QString::fromUtf8(text), values}).toString(),
                  QString::fromUtf8(expected))
            << text;
}

// Enter and Esc on a question both answer 否: neither deletes, bans nor writes.
TEST(MessageDialogInAWindow, AQuestionDefaultsToNo) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        services::MessageDialog box(services::MessageDialog::Presentation::Window);
        box.Put("Text", "是否删除当前记录？");
        QString focused;
        QTimer::singleShot(0, [&focused, key] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!shown) return;
            focused = shown->defaultButton()->text();
            QTest::keyClick(shown, key);
        });
        EXPECT_EQ(ToInt32(box.Call("Show", {1, QString(), true})), 2);
        EXPECT_EQ(focused, "否");
    }
}

}  // namespace
}  // namespace qor::test
