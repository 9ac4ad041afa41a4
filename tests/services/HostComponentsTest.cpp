#include "tests/services/CompanyFixture.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/db/Passwords.h"
#include "platform/services/Authenticate.h"
#include "platform/services/MessageDialog.h"
#include "src/host/ProgIds.h"

#include <QDateTime>
#include <tuple>

namespace qor::test {
namespace {

using HostStoresTest = CompanyFixture;

QOR_INSTANTIATE_FOR_BACKENDS(HostStoresTest);

TEST_P(HostStoresTest, RightsAnswerFromTheUsersOwnRows) {
    GrantTraceRights(0x20000 | 0x8000);
    Exec("INSERT INTO t_UserRight (FUserID, FModule, FDetail, FMask) VALUES (?, 1099, 20, ?)", {kUserId + 1, 0x10000});
    auto glData = Create(host::progid::kGLData);
    const auto check = [&glData](int module, int detail, qint64 mask) {
        return ToBool(glData->Call("AccessCheck", {module, detail, mask}));
    };
    EXPECT_TRUE(check(1099, 20, 0x8000));
    EXPECT_TRUE(check(1099, 20, 0x20000));
    EXPECT_FALSE(check(1099, 20, 0x10000)) << "another user's right";
    EXPECT_FALSE(check(1099, 21, 0x8000));
    EXPECT_FALSE(check(1003, 20, 0x8000));

    Exec("INSERT INTO t_UserDataRight (FUserID, FRightKind, FEnabled) VALUES (5, 2, 1), (5, 4, 0)");
    auto itemInfo = Create(host::progid::kItemInfo);
    const auto dataRight = [&itemInfo](int user, int kind) {
        return ToInt32(itemInfo->Call("GetDataRight", {QString(), user, kind}));
    };
    EXPECT_EQ(dataRight(5, 2), 1);
    EXPECT_EQ(dataRight(5, 4), 0);
    EXPECT_EQ(dataRight(5, 1), 0);
    EXPECT_EQ(dataRight(6, 2), 0);
}

TEST_P(HostStoresTest, WriteLogRecordsUserTimeAndMachine) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVariantList args{"K810022", 3, "删除物料: 控制板 客户BOM批次对应信息成功！"};
    Create(host::progid::kGLData)->CallRef("WriteLog", args);

    EXPECT_EQ(Rows("SELECT FUserID, FUserName, FCode, FKind, FText, FMachine FROM t_Log"),
              "16|王工|K810022|3|删除物料: 控制板 客户BOM批次对应信息成功！|WS-07");
    const QDateTime logged = QDateTime::fromString(Rows("SELECT FTime FROM t_Log"), "yyyy-MM-dd HH:mm:ss");
    ASSERT_TRUE(logged.isValid());
    EXPECT_GE(logged, before);
    EXPECT_LE(logged, QDateTime::currentDateTime().addSecs(1));
}

TEST_P(HostStoresTest, SystemValuesAndListDefinitions) {
    database_->ExecuteScript(
        "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'UseShortNumber', '1'), "
        "('IC', 'Blank', NULL);"
        "INSERT INTO t_ListDefinition (FListID, FName, FLogicStr) VALUES (32, '销售订单', '|FModule:1004|');");
    auto sysInfo = Create(host::progid::kSysInfo);
    const auto value = [&sysInfo](const char* key) { return sysInfo->Call("GetSysValue", {QString(), "IC", key}); };
    EXPECT_EQ(value("UseShortNumber"), QVariant("1"));
    EXPECT_EQ(value("UseOrderBatchTrace"), QVariant(QString()));
    EXPECT_EQ(value("Blank"), QVariant(QString()));

    auto list = sysInfo->Call("GetListInfo", {QString(), 32}).value<RecordsetPtr>();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Fields("FLogicStr").Text(), "|FModule:1004|");
}

TEST_P(HostStoresTest, UserProfileKeepsASectionAcrossInstances) {
    const QVariantList section{"QOROrderBatchTrace", "frmBatchTrace"};
    Exec(
        "INSERT INTO t_UserProfile (FUserID, FApplication, FSection, FKey, FValue) VALUES "
        "(16, 'QOROrderBatchTrace', 'Other', 'Kept', 'x'), "
        "(17, 'QOROrderBatchTrace', 'frmBatchTrace', 'GridFont', 'not mine')");

    auto profile = Create(host::progid::kUserProfile);
    profile->Call("Load", section);
    auto values = profile->Get("Dictionary").value<DictionaryPtr>();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->Count(), 0);
    values->Set("GridFont", "FontName=宋体|FontSize=9|");
    values->Set("Bold", true);
    values->Set("Dropped", 1);
    profile->Call("Save", section);

    auto reread = Create(host::progid::kUserProfile);
    reread->Call("Load", section);
    auto loaded = reread->Get("Dictionary").value<DictionaryPtr>();
    EXPECT_EQ(loaded->GetValue("gridfont", {}), QVariant("FontName=宋体|FontSize=9|"));
    EXPECT_TRUE(ToBool(loaded->Item("Bold")));

    loaded->Remove("Dropped");
    reread->Call("Save", section);
    EXPECT_EQ(Rows("SELECT FUserID, FSection, FKey, FValue FROM t_UserProfile ORDER BY FUserID, FSection, FKey"),
              QStringLiteral("16|Other|Kept|x\n"
                             "16|frmBatchTrace|Bold|True\n"
                             "16|frmBatchTrace|GridFont|FontName=宋体|FontSize=9|\n"
                             "17|frmBatchTrace|GridFont|not mine"));
}

TEST_P(HostStoresTest, QueryComponentsAnswerRecordsets) {
    Exec(
        "INSERT INTO t_ICItem (FItemID, FNumber, FName, FModel, FErpClsID) VALUES "
        "(1, '1.01', '控制板', '', 7), (2, '1.02', '电源板', 'P-2', 7)");
    const QString sql = "SELECT FItemID, ISNULL(NULLIF(FModel, ''), '-') AS FModel FROM t_ICItem ORDER BY FItemID";

    auto connection = Create(host::progid::kAppConnection);
    QVariantList byRef{sql};
    auto rs = connection->CallRef("GetAnyRecordset", byRef).value<RecordsetPtr>();
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields("FModel").Text(), "-");
    EXPECT_EQ(byRef[0], QVariant(sql));

    EXPECT_FALSE(connection->Call("Execute", {"UPDATE t_ICItem SET FName = 'x'"}).isValid());
    EXPECT_EQ(connection->Call("Execute", {" select FName from t_ICItem"}).value<RecordsetPtr>()->Fields(0).Text(),
              "x");

    for (const auto& [progId, member] :
         {std::pair{host::progid::kGetData, "ExecuteSql"}, std::pair{host::progid::kClassInfo, "GetData"}}) {
        SCOPED_TRACE(progId);
        auto answer = Create(progId)->Call(member, {QString(), sql}).value<RecordsetPtr>();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->RecordCount(), 2);
    }

    EXPECT_THROW(connection->Call("GetAnyRecordset", {"SELECT * FROM t_Missing"}), HostError);
}

TEST_P(HostStoresTest, RightPasswordGivesTheUsersSessionAndRefusalsSayWhy) {
    for (const auto& [name, forbidden] : {std::pair{"王工", 0}, std::pair{"离职", 1}}) {
        const QString salt = db::NewSalt();
        Exec("INSERT INTO t_User (FName, FSalt, FPasswordHash, FForbidden) VALUES (?, ?, ?, ?)",
             {name, salt, db::HashPassword(salt, "secret"), forbidden});
    }
    const auto refusal = [this](const QString& name, const QString& password) {
        try {
            services::Authenticate(database_, name, password);
        } catch (const HostError& e) {
            return e.Description();
        }
        return QStringLiteral("(logged in)");
    };
    const QString users = Rows("SELECT * FROM t_User ORDER BY FUserID");
    auto session = services::Authenticate(database_, " 王工 ", "secret");
    ASSERT_TRUE(session);
    EXPECT_EQ(session->userId, Scalar(*database_, "SELECT FUserID FROM t_User WHERE FName = '王工'").toInt());
    EXPECT_EQ(session->userName, "王工");
    EXPECT_EQ(session->database, database_);
    EXPECT_FALSE(session->machineName.isEmpty());

    const QString wrongPassword = refusal("王工", "Secret");
    EXPECT_EQ(wrongPassword, "用户名或密码错误，请重新输入！");
    EXPECT_EQ(refusal("张三", "secret"), wrongPassword);
    EXPECT_EQ(refusal("王工", QString()), wrongPassword);
    EXPECT_EQ(refusal("离职", "secret"), "用户 离职 已被禁用，请与系统管理员联系！");
    EXPECT_EQ(refusal("  ", "secret"), "请输入用户名！");
    EXPECT_EQ(Rows("SELECT * FROM t_User ORDER BY FUserID"), users);
    EXPECT_EQ(Count("t_Log"), 0);
}

// The components of the process that need no database.
class ProcessComponentsTest : public ::testing::Test {
protected:
    void SetUp() override { services::RegisterHostComponents(std::make_shared<services::Session>()); }
    static host::ObjectPtr Create(const char* progId) {
        return host::ComponentFactory::Create(QString::fromLatin1(progId));
    }
};

TEST_F(ProcessComponentsTest, FormatMessageFillsNumberedPlaceholders) {
    auto appPub = Create(host::progid::kAppPub);
    auto vector = Vector::New();
    vector->Add("B1");
    vector->Add(7);
    QVariantList twelve;
    for (int i = 1; i <= 12; ++i) twelve.append(QStringLiteral("v%1").arg(i));
    const std::tuple<const char*, QVariant, const char*> cases[] = {
        {"新增物料: %1 客户BOM批次对应信息成功！", QVariantList{"控制板"},
         "新增物料: 控制板 客户BOM批次对应信息成功！"},
        {"%2 / %1", QVariant::fromValue(vector), "7 / B1"},
        {"%1 %3 100%", QVariantList{"a", "b"}, "a %3 100%"},
        {"%1", QVariantList{"%2", "b"}, "%2"},
        {"[%1]", QVariantList{QVariant()}, "[]"},
        {"%10", QVariantList{"a"}, "a0"},
        {"%12,%1", twelve, "v12,v1"},
    };
    for (const auto& [text, values, expected] : cases)
        EXPECT_EQ(appPub->Call("FormatMessage", {QString::fromUtf8(text), values}).toString(),
                  QString::fromUtf8(expected))
            << text;
}

TEST_F(ProcessComponentsTest, SharePropsKeepsValuesPerProcessForEveryInstance) {
    const qint64 pid = 4242;
    Create(host::progid::kShareProps)->Call("SetProperty", {pid, "PropsString", "UserID=16"});
    auto dictionary = Dictionary::New();
    Create(host::progid::kShareProps)->Call("SetProperty", {pid, "Shared", QVariant::fromValue(dictionary)});

    auto props = Create(host::progid::kShareProps);
    EXPECT_EQ(props->Call("GetProperty", {pid, "propsstring"}), QVariant("UserID=16"));
    EXPECT_EQ(props->Call("GetProperty", {pid, "Shared"}).value<DictionaryPtr>(), dictionary);
    EXPECT_THROW(props->Call("GetProperty", {pid, "UserName"}), HostError);
    EXPECT_THROW(props->Call("GetProperty", {pid + 1, "PropsString"}), HostError);
}

TEST(MessageDialogOnConsole, PrintsTheTextAndAnswersWithoutWaiting) {
    services::MessageDialog box(services::MessageDialog::Presentation::Console);
    box.Put("Title", "栎澄提示");
    box.Put("Text", "是否禁用当前记录？");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ToInt32(box.Call("Show", {1, QString(), true})), 2);
    box.Put("Text", "删除成功！");
    EXPECT_EQ(ToInt32(box.Call("Show", {0, QString(), true})), 1);
    EXPECT_EQ(ToInt32(box.Call("MsgBox", {"没有权限,请与系统管理员联系", 48, "栎澄提示"})), 1);
    EXPECT_EQ(QString::fromStdString(::testing::internal::GetCapturedStderr()),
              "栎澄提示: 是否禁用当前记录？\n栎澄提示: 删除成功！\n栎澄提示: 没有权限,请与系统管理员联系\n");
}

}  // namespace
}  // namespace qor::test
