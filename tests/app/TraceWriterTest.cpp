#include "app/TraceWriter.h"
#include "platform/base/HostError.h"
#include "src/host/ProgIds.h"
#include "tests/support/FakeObject.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace qor;

TEST(TraceWriter, ObservesEveryCallWithArgumentsAsPassedAndMessageBoxesWithTheirTexts) {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.jsonl");
    auto echo = test::RegisterFake("Test.Echo");
    echo->On("Save", [](QVariantList& args) {
        args[1] = "保存成功";
        return QVariant(1);
    });
    echo->On("Fail", [](QVariantList&) -> QVariant { throw HostError("坏了"); });
    const QString boxId = QString::fromLatin1(host::progid::kMessageDialog);
    test::RegisterFake(boxId)->Returns("Show", 2);
    host::ComponentFactory::SetObserver(std::make_shared<app::TraceWriter>(path));
    auto observed = host::ComponentFactory::Create("Test.Echo");
    QVariantList args{"SELECT 1\r\n", QString()};
    observed->CallRef("Save", args);
    EXPECT_THROW(observed->Call("Fail"), HostError);
    auto box = host::ComponentFactory::Create(boxId);
    box->Put("Title", "栎澄提示");
    box->Put("Text", "确定删除吗？");
    box->Call("Show", {1, "", true});
    host::ComponentFactory::SetObserver(nullptr);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QJsonObject> lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty()) lines.append(QJsonDocument::fromJson(line).object());
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0]["args"].toArray()[0].toString(), "SELECT 1\r\n");
    EXPECT_EQ(lines[0]["args"].toArray()[1].toString(), "");  // as passed, not as written back
    EXPECT_EQ(lines[0]["result"].toInt(), 1);
    EXPECT_EQ(args[1].toString(), "保存成功");
    EXPECT_EQ(lines[1]["error"].toString(), "坏了");
    EXPECT_TRUE(lines[2]["put"].toBool());
    EXPECT_EQ(lines[4]["title"].toString(), "栎澄提示");
    EXPECT_EQ(lines[4]["text"].toString(), "确定删除吗？");
    EXPECT_EQ(lines[4]["result"].toInt(), 2);
}
