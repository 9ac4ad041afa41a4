#include "platform/db/Passwords.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace qor::db;

// Argon2id strings with their own salt; the older SHA-256 form still checks.
TEST(Passwords, NewHashesAreArgon2idAndOlderOnesStillVerify) {
    const QString stored = HashPassword("密码 s3cret");
    EXPECT_TRUE(stored.startsWith("$argon2id$")) << stored.toStdString();
    EXPECT_NE(stored, HashPassword("密码 s3cret"));
    EXPECT_FALSE(IsOlderPasswordHash(stored));
    // SHA-256("abc"), the standard test vector, as salt "a" and password "bc".
    const QString older = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    EXPECT_TRUE(IsOlderPasswordHash(older));
    const std::tuple<QString, QString, QString, bool> cases[] = {
        {stored, "", "密码 s3cret", true},
        {stored, "", "密码 s3creT", false},
        {stored, "", "", false},
        {older, "a", "bc", true},
        {older, "a", "bd", false},
        {older, "", "abc", true},
        {"", "", "", false},
    };
    for (const auto& [form, salt, password, right] : cases)
        EXPECT_EQ(VerifyPassword(form, salt, password), right) << password.toStdString();
}
