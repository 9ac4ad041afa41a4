#pragma once

#include "platform/base/Recordset.h"
#include "tests/support/FakeObject.h"

#include <QHash>
#include <functional>
#include <memory>

namespace qor::test {

// A host for module tests: every component the module's windows call,
// scripted. Register it at the start of a test (the registry is cleared
// before each one).
class FakeHost {
public:
    // Answers a statement; nullptr for "no recordset".
    using QueryHandler = std::function<RecordsetPtr(const QString& sql)>;

    FakeHost();

    // Rights held by the user (module 1099, detail 20), as a bit set.
    void SetRights(int32_t mask) { *rights_ = mask; }
    void SetUserProfile(const QString& section, const QString& key, const QString& value);
    void SetQueryHandler(QueryHandler handler) { *queries_ = std::move(handler); }
    // Statements the module ran through the connection component, in order.
    const QStringList& Statements() const { return *statements_; }

    FakeObjectPtr connection;
    FakeObjectPtr shareProps;
    FakeObjectPtr sysInfo;
    FakeObjectPtr glData;
    FakeObjectPtr itemInfo;
    FakeObjectPtr userProfile;
    FakeObjectPtr appPub;
    FakeObjectPtr frmResLoader;
    ScriptedMessages messages;

private:
    std::shared_ptr<int32_t> rights_ = std::make_shared<int32_t>(0x7FFFFFFF);
    std::shared_ptr<QueryHandler> queries_ = std::make_shared<QueryHandler>();
    std::shared_ptr<QStringList> statements_ = std::make_shared<QStringList>();
    std::shared_ptr<QHash<QString, QVariant>> props_ = std::make_shared<QHash<QString, QVariant>>();
    std::shared_ptr<QHash<QString, QHash<QString, QString>>> profile_ =
        std::make_shared<QHash<QString, QHash<QString, QString>>>();
};

}  // namespace qor::test
