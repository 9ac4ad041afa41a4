#pragma once

#include "platform/db/Database.h"
#include "tests/support/TestBackend.h"

#include <QTemporaryDir>

namespace qor::test {

// A place for a company database that no other test uses: a file in a new
// temporary folder, or a schema of its own in the test server's database,
// dropped again with everything in it when the scratch company goes.
class ScratchCompany {
public:
    explicit ScratchCompany(TestBackend backend);
    ~ScratchCompany();

    // What OpenDatabase and the shell's --db take: the file's path, or the
    // server's URL with the schema as its search path.
    const QString& ConnectionText() const { return connectionText_; }
    // What a company user's desktop takes: on a server, the URL without the
    // owner's user, for a login of the user's own role.
    QString UserConnectionText() const;
    db::DatabasePtr Create() const;
    db::DatabasePtr Open() const;
    // A connection to the place as it is, without creating the company
    // schema (for the migrations' own tests).
    db::DatabasePtr Connect() const;

private:
    TestBackend backend_;
    QTemporaryDir dir_;
    QString schema_;
    QString connectionText_;
};

}  // namespace qor::test
