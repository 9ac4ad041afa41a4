#include "platform/db/Passwords.h"

#include "platform/db/DbError.h"

#include <sodium.h>
#include <QCryptographicHash>

namespace qor::db {

namespace {

void RequireSodium() {
    if (sodium_init() < 0) throw DbError(QStringLiteral("无法初始化密码库 libsodium。"));
}

}  // namespace

QString HashPassword(const QString& password) {
    RequireSodium();
    const QByteArray utf8 = password.toUtf8();
    char stored[crypto_pwhash_STRBYTES] = {};
    if (crypto_pwhash_str(stored, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DbError(QStringLiteral("计算密码的散列值时内存不足。"));
    return QString::fromLatin1(stored);
}

bool VerifyPassword(const QString& stored, const QString& salt, const QString& password) {
    RequireSodium();
    const QByteArray utf8 = password.toUtf8();
    if (!IsOlderPasswordHash(stored)) {
        const QByteArray form = stored.toLatin1();
        return crypto_pwhash_str_verify(form.constData(), utf8.constData(),
                                        static_cast<unsigned long long>(utf8.size())) == 0;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt.toUtf8());
    hash.addData(utf8);
    const QByteArray computed = hash.result().toHex();
    const QByteArray expected = stored.toLatin1();
    return computed.size() == expected.size() &&
           sodium_memcmp(computed.constData(), expected.constData(), static_cast<size_t>(computed.size())) == 0;
}

bool IsOlderPasswordHash(const QString& stored) { return !stored.startsWith(QLatin1String("$argon2id$")); }

}  // namespace qor::db
