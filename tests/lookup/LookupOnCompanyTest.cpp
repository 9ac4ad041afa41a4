#include "base/Convert.h"
#include "db/DemoCompany.h"
#include "host/ComponentFactory.h"
#include "host/ProgIds.h"
#include "lookup/Lookups.h"
#include "services/RegisterHostComponents.h"
#include "support/ModalDriver.h"
#include "support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

using namespace qor;
using qor::test::ScratchCompany;
using qor::test::TestBackend;

namespace {

// The look-ups with the host's own components on a small demo company,
// logged in as its administrator: the module and the pickers meet as they do
// in the shell.
class LookupOnCompany : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(GetParam());
        place = std::make_unique<ScratchCompany>(GetParam());
        auto database = place->Create();
        db::CreateDemoCompany(*database, {.traces = 200, .items = 30, .groups = 6});
        session->database = database;
        session->userId = Value("SELECT FUserID FROM t_User WHERE FName = 'administrator'").toInt();
        session->userName = QStringLiteral("administrator");
        services::RegisterHostComponents(session);
        Publish("PropsString", QStringLiteral("ConnectString={%1};UserID=%2;UserName=administrator;LANGUAGE=chs")
                                   .arg(database->ConnectionText())
                                   .arg(session->userId));
        Publish("UserName", session->userName);
        Publish("UserID", session->userId);
    }
    void Publish(const char* key, const QVariant& value) {
        host::ComponentFactory::Create(QString::fromLatin1(host::progid::kShareProps))
            ->Call(QStringLiteral("SetProperty"),
                   {QCoreApplication::applicationPid(), QString::fromLatin1(key), value});
    }
    QVariant Value(const char* sql, const QVariantList& params = {}) const {
        auto rs = session->database->Query(QString::fromUtf8(sql), params);
        return rs->RecordCount() > 0 ? rs->Fields(0).Value() : QVariant();
    }
    // Types text into the search box of the window the next call opens and
    // presses Enter; notes the window's caption.
    void TypeAndChoose(const QString& text) {
        test::WhenModalShown([this, text](QWidget* modal) {
            caption = modal->windowTitle();
            auto* search = modal->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
            ASSERT_TRUE(search);
            search->clear();
            QTest::keyClicks(search, text);
            QTest::keyClick(search, Qt::Key_Return);
        });
    }

    std::unique_ptr<ScratchCompany> place;
    services::SessionPtr session = std::make_shared<services::Session>();
    DictionaryPtr result = Dictionary::New();
    QString caption;
};

QOR_INSTANTIATE_FOR_BACKENDS(LookupOnCompany);

TEST_P(LookupOnCompany, SalesOrderLineChosenInTheListWindow) {
    const auto line = session->database->Query(QStringLiteral(
        "SELECT v1.FInterID, v1.FBillNo, MIN(u1.FEntryID) FROM SEOrder v1 INNER JOIN SEOrderEntry u1 "
        "ON v1.FInterID = u1.FInterID WHERE v1.FStatus > 0 AND u1.FMrpClosed = 0 GROUP BY v1.FInterID, v1.FBillNo "
        "ORDER BY v1.FInterID DESC LIMIT 1"));
    TypeAndChoose(line->Fields(1).Text());
    EXPECT_EQ(RunLookup(kLookupSalesOrder, QString(), QStringLiteral(" v1.FStatus>0 AND u1.FMrpClosed=0"), result, 1),
              1);
    EXPECT_EQ(caption, "销售订单序时簿");
    EXPECT_EQ(ToInt32(result->Item("FItemID")), line->Fields(0).Value().toInt());
    EXPECT_EQ(NullToEmpty(result->Item("FNumber")), line->Fields(1).Text());
    EXPECT_EQ(NullToEmpty(result->Item("FName")), line->Fields(1).Text());
    EXPECT_EQ(ToInt32(result->Item("FEntryID")), line->Fields(2).Value().toInt());
}

TEST_P(LookupOnCompany, ItemChosenThenFoundByItsCode) {
    const QString number = Value("SELECT MAX(FNumber) FROM t_ICItem WHERE FErpClsID = 7").toString();
    TypeAndChoose(number);
    EXPECT_EQ(RunLookup(kLookupItem, QString(), QStringLiteral(" FErpClsID=7 "), result, 1), 1);
    EXPECT_EQ(NullToEmpty(result->Item("FNumber")), number);

    auto found = GetItemDetailRs(kLookupItem, number, session->userId, QStringLiteral(" FErpClsID=7 "));
    ASSERT_TRUE(found);
    ASSERT_EQ(found->RecordCount(), 1);
    EXPECT_EQ(found->Fields(QStringLiteral("FItemID")).Value().toInt(), ToInt32(result->Item("FItemID")));
    EXPECT_EQ(found->Fields(QStringLiteral("FName")).Text(), NullToEmpty(result->Item("FName")));

    session->database->Execute(
        QStringLiteral("INSERT INTO t_UserDataRight (FUserID, FRightKind, FEnabled) VALUES (?, -4, 1)"),
        {session->userId});
    found = GetItemDetailRs(kLookupItem, number, session->userId, QString());
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->Eof());
    EXPECT_EQ(found->FieldNames(), QStringList{"TemInterID"});
}

}  // namespace
