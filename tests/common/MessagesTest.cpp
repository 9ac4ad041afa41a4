#include "base/HostError.h"
#include "common/LanguageResources.h"
#include "common/Messages.h"
#include "common/ReportLines.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>
#include <vector>

using namespace qor;
using qor::test::RegisterFake;
using qor::test::ScriptedMessages;

namespace {

struct LineFont {
    bool header;
    int line;
    QString name;
    int charset;
};

class RecordedLines : public ReportLines {
public:
    void SetHeaderFont(int line, const QString& name, int charset) override {
        fonts.push_back({true, line, name, charset});
    }
    void SetFooterFont(int line, const QString& name, int charset) override {
        fonts.push_back({false, line, name, charset});
    }
    std::vector<LineFont> fonts;
};

test::FakeObjectPtr FontLoader(const DictionaryPtr& props) {
    auto loader = RegisterFake(QString::fromLatin1(host::progid::kFrmResLoader));
    loader->Returns(QStringLiteral("GetZ9FontProps"), QVariant::fromValue(props));
    return loader;
}

}  // namespace

TEST(ShowMessage, QuestionAnswersOneOnlyWhenConfirmed) {
    ScriptedMessages messages;
    messages.Answer(1);
    messages.Answer(2);
    EXPECT_EQ(ShowMessage(kMessageQuestion, QStringLiteral("确定删除吗？")), kMessageConfirmed);
    EXPECT_EQ(ShowMessage(kMessageQuestion, QStringLiteral("确定删除吗？")), 2);
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].kind, 1);
    EXPECT_EQ(messages.Shown()[0].title, "栎澄提示");
    EXPECT_EQ(messages.Shown()[0].text, "确定删除吗？");
}

TEST(ShowMessage, AddsOneButtonPerExtraValueBeforeShowing) {
    auto dialog = RegisterFake(QString::fromLatin1(host::progid::kMessageDialog));
    dialog->Returns(QStringLiteral("Show"), 3);
    dialog->Returns(QStringLiteral("AddButton"), QVariant());
    EXPECT_EQ(ShowMessage(kMessageNotice, QStringLiteral("文本"), {QStringLiteral("重试"), 5}), 3);
    QStringList members;
    for (const auto& call : dialog->Calls()) members.append(call.member);
    EXPECT_EQ(members, QStringList({"Title", "Text", "AddButton", "AddButton", "Show"}));
    EXPECT_EQ(dialog->Calls()[3].args, QVariantList({QStringLiteral("5")}));
    EXPECT_EQ(dialog->Calls()[4].args, QVariantList({0, QString(), true}));
}

TEST(ShowMessage, MissingDialogReachesTheCaller) {
    EXPECT_THROW(ShowMessage(kMessageNotice, QStringLiteral("x")), HostError);
}

TEST(FormatMessage, FillsTheTemplateThroughAppPub) {
    auto appPub = RegisterFake(QString::fromLatin1(host::progid::kAppPub));
    appPub->Returns(QStringLiteral("FormatMessage"), QStringLiteral("新增物料: A01 客户BOM批次对应信息成功！"));
    const QString tmpl = QStringLiteral("新增物料: %1 客户BOM批次对应信息成功！");
    EXPECT_EQ(FormatMessage(tmpl, {QStringLiteral("A01")}), "新增物料: A01 客户BOM批次对应信息成功！");
    EXPECT_EQ(appPub->Calls()[0].args, QVariantList({tmpl, QVariantList({QStringLiteral("A01")})}));
}

TEST(ApplyReportFonts, UsesSongtiAndGb2312OnAllTwentyLinesWhenTheSettingsNameNone) {
    auto loader = FontLoader(Dictionary::New());
    RecordedLines lines;
    ApplyReportFonts(lines);
    ASSERT_EQ(lines.fonts.size(), 20u);
    for (size_t i = 0; i < lines.fonts.size(); ++i) {
        EXPECT_EQ(lines.fonts[i].header, i % 2 == 0);
        EXPECT_EQ(lines.fonts[i].line, static_cast<int>(i / 2));
        EXPECT_EQ(lines.fonts[i].name, "宋体");
        EXPECT_EQ(lines.fonts[i].charset, 134);
    }
    EXPECT_EQ(loader->Calls()[0].args, QVariantList({QStringLiteral("chs")}));
}

TEST(ApplyReportFonts, TakesTheLanguagesFontSettings) {
    auto props = Dictionary::New();
    props->Set(QStringLiteral("font.name"), QStringLiteral("黑体"));
    props->Set(QStringLiteral("Font.Charset"), QStringLiteral("1"));
    FontLoader(props);
    RecordedLines lines;
    ApplyReportFonts(lines);
    EXPECT_EQ(lines.fonts.back().name, "黑体");
    EXPECT_EQ(lines.fonts.back().charset, 1);
}

TEST(ApplyReportFonts, MissingLoaderReachesTheCaller) {
    RecordedLines lines;
    EXPECT_THROW(ApplyReportFonts(lines), HostError);
    EXPECT_TRUE(lines.fonts.empty());
}
