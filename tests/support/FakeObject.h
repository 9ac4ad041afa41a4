#pragma once

#include "platform/host/ComponentFactory.h"
#include "platform/host/Dispatch.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace qor::test {

struct RecordedCall {
    QString member;
    host::CallKind kind;
    QVariantList args;  // as passed, before the callee wrote back
};

// A host component whose members are lambdas given by the test. Records every
// call; properties that were put and have no handler are kept and read back.
class FakeObject : public host::Object {
public:
    using Handler = std::function<QVariant(QVariantList& args)>;

    explicit FakeObject(QString progId) : progId_(std::move(progId)) {}

    FakeObject& On(const QString& member, Handler handler);
    // Shorthand: the member answers this value whatever the arguments.
    FakeObject& Returns(const QString& member, const QVariant& value);

    QString ProgID() const override { return progId_; }
    QVariant Invoke(const QString& member, host::CallKind kind, QVariantList& args) override;

    const std::vector<RecordedCall>& Calls() const { return calls_; }
    // Calls of one member (compared without case).
    std::vector<RecordedCall> CallsOf(const QString& member) const;
    QVariant Property(const QString& name) const;

private:
    QString progId_;
    QHash<QString, Handler> handlers_;
    QHash<QString, QVariant> properties_;
    std::vector<RecordedCall> calls_;
};

using FakeObjectPtr = std::shared_ptr<FakeObject>;

// Registers a fake under progId that every Create() answers with the same
// instance, so the test can script it and read its calls afterwards.
FakeObjectPtr RegisterFake(const QString& progId);

// Answers questions of the message dialog in order (1 = 是) and records every
// box shown: kind, title, text.
struct ShownMessage {
    int kind;  // 0 notice, 1 question, -1 plain box
    QString title;
    QString text;
    int style = 0;  // icon and buttons of a plain box
};

class ScriptedMessages {
public:
    ScriptedMessages();  // registers itself as the message dialog
    void Answer(int code) { answers_.push_back(code); }
    const std::vector<ShownMessage>& Shown() const { return *shown_; }
    QStringList Texts() const;

private:
    std::shared_ptr<std::vector<ShownMessage>> shown_ = std::make_shared<std::vector<ShownMessage>>();
    std::vector<int> answers_;
    size_t next_ = 0;
};

}  // namespace qor::test
