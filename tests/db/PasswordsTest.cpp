#include "platform/db/Passwords.h"

#include <gtest/gtest.h>

using namespace qor::db;

TEST(Passwords, HashIsSha256OfSaltThenPasswordAndSaltsAreFreshHex) {
    // SHA-256("abc"), the standard test vector.
    EXPECT_EQ(HashPassword("a", "bc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const QString salt = NewSalt();
    EXPECT_EQ(salt.size(), 32);
    EXPECT_EQ(salt, salt.toLower());
    EXPECT_NE(salt, NewSalt());
}
