#include "db/Passwords.h"

#include <gtest/gtest.h>

using namespace qor::db;

TEST(Passwords, HashIsSha256OfSaltThenPassword) {
    // SHA-256("abc"), the standard test vector.
    EXPECT_EQ(HashPassword(QStringLiteral("a"), QStringLiteral("bc")),
              QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_EQ(HashPassword(QStringLiteral("盐"), QStringLiteral("demo")),
              HashPassword(QStringLiteral("盐"), QStringLiteral("demo")));
    EXPECT_NE(HashPassword(QStringLiteral("s1"), QStringLiteral("demo")),
              HashPassword(QStringLiteral("s2"), QStringLiteral("demo")));
}

TEST(Passwords, SaltsAreFreshHex) {
    const QString first = NewSalt();
    EXPECT_EQ(first.size(), 32);
    EXPECT_EQ(first, first.toLower());
    EXPECT_NE(first, NewSalt());
}
