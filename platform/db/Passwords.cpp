#include "platform/db/Passwords.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <array>

namespace qor::db {

QString NewSalt() {
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray bytes(reinterpret_cast<const char*>(words.data()), sizeof(words));
    return QString::fromLatin1(bytes.toHex());
}

QString HashPassword(const QString& salt, const QString& password) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt.toUtf8());
    hash.addData(password.toUtf8());
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace qor::db
