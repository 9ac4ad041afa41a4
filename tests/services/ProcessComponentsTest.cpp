#include "base/Convert.h"
#include "base/HostError.h"
#include "base/Variant.h"
#include "host/ComponentFactory.h"
#include "host/ProgIds.h"
#include "services/MessageDialog.h"
#include "services/RegisterHostComponents.h"

#include <gtest/gtest.h>

namespace qor::test {
namespace {

host::ObjectPtr Create(const char* progId) { return host::ComponentFactory::Create(QString::fromLatin1(progId)); }

class ProcessComponentsTest : public ::testing::Test {
protected:
    void SetUp() override { services::RegisterHostComponents(std::make_shared<services::Session>()); }
};

TEST_F(ProcessComponentsTest, FormatMessageFillsNumberedPlaceholders) {
    auto appPub = Create(host::progid::kAppPub);
    const auto format = [&appPub](const char* text, const QVariant& values) {
        return appPub->Call(QStringLiteral("FormatMessage"), {QString::fromUtf8(text), values}).toString();
    };
    EXPECT_EQ(format("新增物料: %1 客户BOM批次对应信息成功！", QVariantList{QStringLiteral("控制板")}),
              QStringLiteral("新增物料: 控制板 客户BOM批次对应信息成功！"));

    auto vector = Vector::New();
    vector->Add(QStringLiteral("B1"));
    vector->Add(7);
    EXPECT_EQ(format("%2 / %1", QVariant::fromValue(vector)), QStringLiteral("7 / B1"));

    EXPECT_EQ(format("%1 %3 100%", QVariantList{QStringLiteral("a"), QStringLiteral("b")}),
              QStringLiteral("a %3 100%"));
    EXPECT_EQ(format("%1", QVariantList{QStringLiteral("%2"), QStringLiteral("b")}), QStringLiteral("%2"));
    EXPECT_EQ(format("[%1]", QVariantList{QVariant()}), QStringLiteral("[]"));
    EXPECT_EQ(format("%10", QVariantList{QStringLiteral("a")}), QStringLiteral("a0"));

    QVariantList twelve;
    for (int i = 1; i <= 12; ++i) twelve.append(QStringLiteral("v%1").arg(i));
    EXPECT_EQ(format("%12,%1", twelve), QStringLiteral("v12,v1"));
}

TEST_F(ProcessComponentsTest, SharePropsKeepsValuesPerProcessForEveryInstance) {
    const qint64 pid = 4242;
    Create(host::progid::kShareProps)
        ->Call(QStringLiteral("SetProperty"), {pid, QStringLiteral("PropsString"), QStringLiteral("UserID=16")});
    auto dictionary = Dictionary::New();
    Create(host::progid::kShareProps)
        ->Call(QStringLiteral("SetProperty"), {pid, QStringLiteral("Shared"), QVariant::fromValue(dictionary)});

    auto props = Create(host::progid::kShareProps);
    EXPECT_EQ(props->Call(QStringLiteral("GetProperty"), {pid, QStringLiteral("propsstring")}),
              QVariant(QStringLiteral("UserID=16")));
    EXPECT_EQ(props->Call(QStringLiteral("GetProperty"), {pid, QStringLiteral("Shared")}).value<DictionaryPtr>(),
              dictionary);
    EXPECT_THROW(props->Call(QStringLiteral("GetProperty"), {pid, QStringLiteral("UserName")}), HostError);
    EXPECT_THROW(props->Call(QStringLiteral("GetProperty"), {pid + 1, QStringLiteral("PropsString")}), HostError);
}

TEST(MessageDialogOnConsole, PrintsTheTextAndAnswersWithoutWaiting) {
    services::MessageDialog box(services::MessageDialog::Presentation::Console);
    box.Put(QStringLiteral("Title"), QStringLiteral("栎澄提示"));
    box.Put(QStringLiteral("Text"), QStringLiteral("是否禁用当前记录？"));

    ::testing::internal::CaptureStderr();
    const int question = ToInt32(box.Call(QStringLiteral("Show"), {1, QString(), true}));
    box.Put(QStringLiteral("Text"), QStringLiteral("删除成功！"));
    const int notice = ToInt32(box.Call(QStringLiteral("Show"), {0, QString(), true}));
    const int plain = ToInt32(box.Call(
        QStringLiteral("MsgBox"), {QStringLiteral("没有权限,请与系统管理员联系"), 48, QStringLiteral("栎澄提示")}));
    const QString printed = QString::fromStdString(::testing::internal::GetCapturedStderr());

    EXPECT_EQ(question, 2);
    EXPECT_EQ(notice, 1);
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(
        printed,
        QStringLiteral("栎澄提示: 是否禁用当前记录？\n栎澄提示: 删除成功！\n栎澄提示: 没有权限,请与系统管理员联系\n"));
}

}  // namespace
}  // namespace qor::test
