#pragma once

#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"
#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QOREBCGLView.GLData: AccessCheck(module, detail, mask) answers whether the
// session's user holds the right; WriteLog(code, kind, text) adds an entry
// to the operation log with the user, the time and the machine, WriteLogs(code,
// kind, texts Vector) one entry per text;
// GetItem(class, itemId, ...) answers the item as an ItemRecord, or nothing
// when it does not exist or the user is barred from the items of the class
// (a t_UserDataRight row of the user with FRightKind -class, enabled);
// GetItems(class, itemIds Vector) the same for many items at once: a
// Recordset FItemID, FNumber, FName of those the user may use.
class GLData : public host::Dispatch {
public:
    explicit GLData(SessionPtr session);

    // The most items GetItems takes at once.
    static constexpr int kMostItemsAtOnce = 1000;

private:
    void WriteLog(const QString& code, int kind, const QString& text);
    void WriteLogs(const QString& code, int kind, const VectorPtr& texts);
    void WriteEntries(const QString& code, int kind, const QStringList& texts);
    QVariant GetItem(int cls, int itemId);
    RecordsetPtr GetItems(int cls, const VectorPtr& itemIds);

    SessionPtr session_;
};

}  // namespace qor::services
