#include "app/PropsString.h"

namespace qor::app {

QString BuildPropsString(const QString& connectionText, int userId, const QString& userName) {
    return QStringLiteral("ConnectString={%1};UserID=%2;UserName=%3;LANGUAGE=chs")
        .arg(connectionText)
        .arg(userId)
        .arg(userName);
}

}  // namespace qor::app
