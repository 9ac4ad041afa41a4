#include "CompanyFixture.h"

#include "base/Convert.h"
#include "base/HostError.h"
#include "base/Variant.h"
#include "host/ProgIds.h"

#include <QDateTime>

namespace qor::test {
namespace {

using HostStoresTest = CompanyFixture;

QOR_INSTANTIATE_FOR_BACKENDS(HostStoresTest);

TEST_P(HostStoresTest, RightsAnswerFromTheUsersOwnRows) {
    GrantTraceRights(0x20000 | 0x8000);
    Exec(QStringLiteral("INSERT INTO t_UserRight (FUserID, FModule, FDetail, FMask) VALUES (?, 1099, 20, ?)"),
         {kUserId + 1, 0x10000});
    auto glData = Create(host::progid::kGLData);
    const auto check = [&glData](int module, int detail, qint64 mask) {
        return ToBool(glData->Call(QStringLiteral("AccessCheck"), {module, detail, mask}));
    };
    EXPECT_TRUE(check(1099, 20, 0x8000));
    EXPECT_TRUE(check(1099, 20, 0x20000));
    EXPECT_FALSE(check(1099, 20, 0x10000)) << "another user's right";
    EXPECT_FALSE(check(1099, 21, 0x8000));
    EXPECT_FALSE(check(1003, 20, 0x8000));

    Exec(QStringLiteral("INSERT INTO t_UserDataRight (FUserID, FRightKind, FEnabled) VALUES (5, 2, 1), (5, 4, 0)"));
    auto itemInfo = Create(host::progid::kItemInfo);
    const auto dataRight = [&itemInfo](int user, int kind) {
        return ToInt32(itemInfo->Call(QStringLiteral("GetDataRight"), {QString(), user, kind}));
    };
    EXPECT_EQ(dataRight(5, 2), 1);
    EXPECT_EQ(dataRight(5, 4), 0);
    EXPECT_EQ(dataRight(5, 1), 0);
    EXPECT_EQ(dataRight(6, 2), 0);
}

TEST_P(HostStoresTest, WriteLogRecordsUserTimeAndMachine) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVariantList args{QStringLiteral("K810022"), 3, QStringLiteral("删除物料: 控制板 客户BOM批次对应信息成功！")};
    Create(host::progid::kGLData)->CallRef(QStringLiteral("WriteLog"), args);

    EXPECT_EQ(Rows(QStringLiteral("SELECT FUserID, FUserName, FCode, FKind, FText, FMachine FROM t_Log")),
              QStringLiteral("16|王工|K810022|3|删除物料: 控制板 客户BOM批次对应信息成功！|WS-07|"));
    const QDateTime logged = QDateTime::fromString(Rows(QStringLiteral("SELECT FTime FROM t_Log")).chopped(1),
                                                   QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(logged.isValid());
    EXPECT_GE(logged, before);
    EXPECT_LE(logged, QDateTime::currentDateTime().addSecs(1));
}

TEST_P(HostStoresTest, SystemValuesAndListDefinitions) {
    Exec(
        QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES "
                       "('IC', 'UseShortNumber', '1'), ('IC', 'Blank', NULL)"));
    Exec(QStringLiteral(
        "INSERT INTO t_ListDefinition (FListID, FName, FLogicStr) VALUES (32, '销售订单', '|FModule:1004|')"));
    auto sysInfo = Create(host::progid::kSysInfo);
    const auto value = [&sysInfo](const char* category, const char* key) {
        return sysInfo->Call(QStringLiteral("GetSysValue"), {QString(), category, key});
    };
    EXPECT_EQ(value("IC", "UseShortNumber"), QVariant(QStringLiteral("1")));
    EXPECT_EQ(value("IC", "UseOrderBatchTrace"), QVariant(QString()));
    EXPECT_EQ(value("IC", "Blank"), QVariant(QString()));

    auto list = sysInfo->Call(QStringLiteral("GetListInfo"), {QString(), 32}).value<RecordsetPtr>();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Fields(QStringLiteral("FLogicStr")).Text(), QStringLiteral("|FModule:1004|"));
}

TEST_P(HostStoresTest, UserProfileKeepsASectionAcrossInstances) {
    const QVariantList section{QStringLiteral("QOROrderBatchTrace"), QStringLiteral("frmBatchTrace")};
    Exec(
        QStringLiteral("INSERT INTO t_UserProfile (FUserID, FApplication, FSection, FKey, FValue) VALUES "
                       "(16, 'QOROrderBatchTrace', 'Other', 'Kept', 'x'), "
                       "(17, 'QOROrderBatchTrace', 'frmBatchTrace', 'GridFont', 'not mine')"));

    auto profile = Create(host::progid::kUserProfile);
    profile->Call(QStringLiteral("Load"), section);
    auto values = profile->Get(QStringLiteral("Dictionary")).value<DictionaryPtr>();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->Count(), 0);
    values->Set(QStringLiteral("GridFont"), QStringLiteral("FontName=宋体|FontSize=9|"));
    values->Set(QStringLiteral("Bold"), true);
    values->Set(QStringLiteral("Dropped"), 1);
    profile->Call(QStringLiteral("Save"), section);

    auto reread = Create(host::progid::kUserProfile);
    reread->Call(QStringLiteral("Load"), section);
    auto loaded = reread->Get(QStringLiteral("Dictionary")).value<DictionaryPtr>();
    EXPECT_EQ(loaded->GetValue(QStringLiteral("gridfont"), {}), QVariant(QStringLiteral("FontName=宋体|FontSize=9|")));
    EXPECT_TRUE(ToBool(loaded->Item(QStringLiteral("Bold"))));

    loaded->Remove(QStringLiteral("Dropped"));
    reread->Call(QStringLiteral("Save"), section);
    EXPECT_EQ(Rows(QStringLiteral(
                  "SELECT FUserID, FSection, FKey, FValue FROM t_UserProfile ORDER BY FUserID, FSection, FKey")),
              QStringLiteral("16|Other|Kept|x|\n"
                             "16|frmBatchTrace|Bold|True|\n"
                             "16|frmBatchTrace|GridFont|FontName=宋体|FontSize=9||\n"
                             "17|frmBatchTrace|GridFont|not mine|"));
}

TEST_P(HostStoresTest, QueryComponentsAnswerRecordsets) {
    Exec(
        QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber, FName, FModel, FErpClsID) VALUES "
                       "(1, '1.01', '控制板', '', 7), (2, '1.02', '电源板', 'P-2', 7)"));
    const QString sql =
        QStringLiteral("SELECT FItemID, ISNULL(NULLIF(FModel, ''), '-') AS FModel FROM t_ICItem ORDER BY FItemID");

    QVariantList byRef{sql};
    auto rs =
        Create(host::progid::kAppConnection)->CallRef(QStringLiteral("GetAnyRecordset"), byRef).value<RecordsetPtr>();
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields(QStringLiteral("FModel")).Text(), QStringLiteral("-"));
    EXPECT_EQ(byRef[0], QVariant(sql));

    auto connection = Create(host::progid::kAppConnection);
    EXPECT_FALSE(
        connection->Call(QStringLiteral("Execute"), {QStringLiteral("UPDATE t_ICItem SET FName = 'x'")}).isValid());
    EXPECT_EQ(connection->Call(QStringLiteral("Execute"), {QStringLiteral(" select FName from t_ICItem")})
                  .value<RecordsetPtr>()
                  ->Fields(0)
                  .Text(),
              QStringLiteral("x"));

    for (const auto& [progId, member] :
         {std::pair{host::progid::kGetData, "ExecuteSql"}, std::pair{host::progid::kClassInfo, "GetData"}}) {
        SCOPED_TRACE(progId);
        auto answer = Create(progId)->Call(QString::fromLatin1(member), {QString(), sql}).value<RecordsetPtr>();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->RecordCount(), 2);
    }

    EXPECT_THROW(connection->Call(QStringLiteral("GetAnyRecordset"), {QStringLiteral("SELECT * FROM t_Missing")}),
                 HostError);
}

}  // namespace
}  // namespace qor::test
