#include "platform/base/HostError.h"
#include "platform/db/DemoCompany.h"
#include "platform/host/ComponentFactory.h"
#include "src/component/COrderBatchTrace.h"
#include "src/import/TraceImport.h"
#include "src/ui/import/frmImport.h"
#include "tests/support/DemoLogin.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

using namespace qor;

namespace {

const QString kHeader = QStringLiteral("物料代码,批号,销售订单编号,客户BOM编号,禁用");

// The demo company, a user logged in as the shell logs in, and an import
// file written by the test.
class ImportTest : public ::testing::TestWithParam<test::TestBackend> {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(GetParam());
        place_ = std::make_unique<test::ScratchCompany>(GetParam());
        database_ = place_->Create();
        db::CreateDemoCompany(*database_);
        // A record with a customer BOM and an order, another BOM of the same
        // item, and an order line of another item.
        const QStringList record =
            test::Rows(*database_,
                       "SELECT i.FNumber, v.FBatchNo, o.FBillNo, b.FBOMNumber, v.FForbid, v.FItemID, v.FTraceID "
                       "FROM ICOrderBatchTrace v JOIN t_ICItem i ON i.FItemID = v.FItemID "
                       "JOIN ICBom b ON b.FInterID = v.FCustBomID JOIN SEOrder o ON o.FInterID = v.FOrderInterID "
                       "WHERE o.FStatus > 0 ORDER BY v.FTraceID")
                .first()
                .split(u'|');
        item_ = record[0];
        batch_ = record[1];
        order_ = record[2];
        bom_ = record[3];
        banned_ = record[4] == "1";
        traceId_ = record[6].toInt();
        otherBom_ =
            test::Rows(*database_, "SELECT FBOMNumber FROM ICBom WHERE FItemID <> ? AND FBomType = 3", {record[5]})
                .first();
    }

    // One user per process, as in the shell: the kept host components of an
    // earlier login go with the registry.
    void LogIn(const char* user) {
        trace_.reset();
        session_.reset();
        host::ComponentFactory::Clear();
        session_ = test::LogInAs(place_->ConnectionText(), user, app::Command::Import);
        ASSERT_TRUE(session_);
        trace_ = std::make_unique<COrderBatchTrace>();
    }

    QString File(const QStringList& rows) const {
        const QString path = dir_.filePath("plan.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("\xEF\xBB\xBF" + (QStringList{kHeader} + rows).join(u'\n') + u'\n').toUtf8());
        return path;
    }

    QStringList Company() const {
        return test::Rows(*database_, "SELECT * FROM ICOrderBatchTrace ORDER BY FTraceID") +
               test::Rows(*database_, "SELECT FText FROM t_Log ORDER BY FLogID");
    }

    // "verdict message" per row.
    static QStringList Verdicts(const TraceImport& import) {
        QStringList shown;
        for (const ImportRow& row : import.Rows()) shown << VerdictText(row.verdict) + u' ' + row.message;
        return shown;
    }

    QString Row(const QString& batch, const QString& bom, const QString& ban = {}, const QString& order = {}) const {
        return QStringList{item_, batch, order, bom, ban}.join(u',');
    }

    std::unique_ptr<test::ScratchCompany> place_;
    db::DatabasePtr database_;
    services::SessionPtr session_;
    std::unique_ptr<COrderBatchTrace> trace_;
    QTemporaryDir dir_;
    QString item_, batch_, order_, bom_, otherBom_;
    bool banned_ = false;
    int traceId_ = 0;
};

QOR_INSTANTIATE_FOR_BACKENDS(ImportTest);

// Each row gets the edit window's resolution and checks; refused rows keep
// everything out unless the import is partial, and a partial import writes
// the rest with the edit window's log entries.
TEST_P(ImportTest, RowsGetTheirVerdictsAndOnlyAPartialImportWritesPastARefusal) {
    LogIn("administrator");
    const QString flipped = banned_ ? "" : "Y";
    const QString longBatch(256, u'8');
    // Each row and the start of its verdict.
    const std::vector<std::pair<QString, QString>> cases{
        {Row(batch_, bom_, flipped, order_), "修改 "},
        {Row("IMP-001", bom_), "新增 "},
        {Row("IMP-001", bom_), "拒绝 与第 3 行的物料和批号相同"},
        {"NO-SUCH-ITEM,IMP-002,,KHBOM000001,",
         "拒绝 物料代码“NO-SUCH-ITEM”：你输入的资料不存在或你没有使用该资料的权限！"},
        {",IMP-003,,,", "拒绝 必须录入物料！"},
        {Row("IMP-004", ""), "拒绝 必须录入客户BOM！"},
        {Row("IMP-005", otherBom_), "拒绝 客户BOM编号“" + otherBom_ + "”：你输入的资料不存在"},
        {Row("IMP-006", bom_, "", "SEORD999999"), "拒绝 销售订单编号“SEORD999999”：你输入的资料不存在"},
        {Row(longBatch, bom_), "拒绝 批号不能超过 255 个字符！"},
        {Row(QStringLiteral("IMP\u0001X"), bom_), "拒绝 批号中不能有控制字符！"},
        {Row("IMP-007", bom_, "maybe"), "拒绝 禁用“maybe”：禁用只能是 Y、1、0 或空！"},
        {Row("IMP-008", bom_, "Y"), "新增 "},
    };
    QStringList rows;
    for (const auto& [row, verdict] : cases) rows << row;
    TraceImport import;
    import.Prepare(File(rows));
    const QStringList verdicts = Verdicts(import);
    ASSERT_EQ(verdicts.size(), static_cast<qsizetype>(cases.size()));
    for (qsizetype k = 0; k < verdicts.size(); ++k)
        EXPECT_TRUE(verdicts[k].startsWith(cases[size_t(k)].second)) << k << ": " << verdicts[k].toStdString();

    const QStringList before = Company();
    EXPECT_EQ(import.Apply(false), TraceImport::Outcome::Refused);
    EXPECT_EQ(import.Apply(true, [](int done, int) { return done < 1; }), TraceImport::Outcome::Cancelled);
    EXPECT_EQ(Company(), before);

    EXPECT_EQ(import.Apply(true), TraceImport::Outcome::Written);
    EXPECT_EQ(test::Rows(*database_,
                         "SELECT FBatchNo, FForbid FROM ICOrderBatchTrace WHERE FBatchNo LIKE 'IMP-%' "
                         "ORDER BY FBatchNo"),
              QStringList({"IMP-001|0", "IMP-008|1"}));
    EXPECT_EQ(test::Scalar(*database_, "SELECT FForbid FROM ICOrderBatchTrace WHERE FTraceID = ?", {traceId_}).toInt(),
              banned_ ? 0 : 1);
    const QStringList log = test::Rows(*database_, "SELECT FText FROM t_Log ORDER BY FLogID DESC").mid(0, 3);
    EXPECT_TRUE(log[0].startsWith("新增物料: ") && log[0].endsWith(" 客户BOM批次对应信息成功！"))
        << log[0].toStdString();
    EXPECT_TRUE(log[2].startsWith("修改物料: ")) << log[2].toStdString();
}

// A file is read by its captions: without both required ones, or with one
// twice, it is refused as a whole.
TEST_P(ImportTest, AFileWithoutItsCaptionsOrWithOneTwiceIsRefused) {
    LogIn("administrator");
    const std::pair<const char*, const char*> files[]{
        {"物料代码,数量\n1.01,3\n", "找不到同时有“物料代码”和“批号”"},
        {"物料代码,批号,批号\n1.01,B1,B2\n", "第 1 行的标题“批号”出现了不止一次"},
    };
    for (const auto& [content, refusal] : files) {
        const QString path = dir_.filePath("captions.csv");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        TraceImport import;
        try {
            import.Prepare(path);
            ADD_FAILURE() << content;
        } catch (const HostError& e) {
            EXPECT_TRUE(e.Description().contains(QString::fromUtf8(refusal))) << e.Description().toStdString();
        }
    }
}

// What a user may not do is refused before anything is written, with the
// list commands' messages; the preview's 确定 waits for a partial import.
TEST_P(ImportTest, RightsRefuseRowsAndThePreviewWritesOnlyWhenAllowed) {
    const std::pair<const char*, const char*> added[] = {{"viewer", "拒绝 当前用户没有新增权限！"}, {"clerk", "新增 "}};
    for (const auto& [user, verdict] : added) {
        SCOPED_TRACE(user);
        LogIn(user);
        TraceImport import;
        import.Prepare(File({Row(batch_, bom_, banned_ ? "" : "Y", order_), Row("IMP-101", bom_)}));
        const QStringList verdicts = Verdicts(import);
        EXPECT_TRUE(verdicts[0].startsWith("拒绝 当前用户没有") && verdicts[0].contains("禁用权限"));
        EXPECT_TRUE(verdicts[1].startsWith(QString::fromUtf8(verdict))) << verdicts.join(u'/').toStdString();
        if (QString(user) != "clerk") continue;
        frmImport preview(import, "plan.csv");
        EXPECT_FALSE(preview.OkButton()->isEnabled());
        preview.Partial()->setChecked(true);
        ASSERT_TRUE(preview.OkButton()->isEnabled());
        preview.OkButton()->click();
        EXPECT_EQ(preview.Outcome(), TraceImport::Outcome::Written);
        EXPECT_EQ(test::Scalar(*database_, "SELECT COUNT(*) FROM ICOrderBatchTrace WHERE FBatchNo = 'IMP-101'").toInt(),
                  1);
    }
}

// Another desktop saving the batch of a later row while an import runs on
// the server: the import's save of that row is refused and everything the
// import wrote before it goes back; the other desktop's record stays.
TEST_P(ImportTest, AConcurrentWriterOnTheServerLeavesNoHalfImport) {
    if (GetParam() != test::TestBackend::PostgreSql) GTEST_SKIP() << "a file has one writer at a time";
    LogIn("administrator");
    TraceImport import;
    import.Prepare(File({Row("IMP-201", bom_), Row("IMP-202", bom_)}));
    const auto other = place_->Open();
    const QString itemId =
        test::Scalar(*database_, "SELECT FItemID FROM ICOrderBatchTrace WHERE FTraceID = ?", {traceId_}).toString();
    const auto otherDesktop = [&](int done, int) {
        if (done == 1)
            other->Execute(
                "INSERT INTO ICOrderBatchTrace (FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, "
                "FForbid) VALUES (?, 'IMP-202', 0, 0, 0, 0)",
                {itemId});
        return true;
    };
    EXPECT_EQ(import.Apply(false, otherDesktop), TraceImport::Outcome::Failed);
    EXPECT_TRUE(import.Rows()[1].message.contains("已有对应记录")) << import.Rows()[1].message.toStdString();
    EXPECT_EQ(test::Rows(*database_, "SELECT FBatchNo FROM ICOrderBatchTrace WHERE FBatchNo LIKE 'IMP-2%'"),
              QStringList{"IMP-202"});
}

}  // namespace
