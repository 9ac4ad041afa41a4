#include "platform/db/SqliteFunctions.h"

#include "platform/db/DbError.h"

#include <sqlite3.h>

#include <cstdint>
#include <string_view>

namespace qor::db {

namespace {
bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

unsigned char FoldAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

bool MatchesAt(std::string_view text, size_t at, std::string_view find) {
    for (size_t k = 0; k < find.size(); ++k)
        if (FoldAscii(static_cast<unsigned char>(text[at + k])) != FoldAscii(static_cast<unsigned char>(find[k])))
            return false;
    return true;
}

// Character position (1-based) of find in text, starting at character start.
int64_t CharIndex(std::string_view find, std::string_view text, int64_t start) {
    if (find.empty()) return 0;
    int64_t position = 0;  // characters before byte i
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(static_cast<unsigned char>(text[i]))) continue;
        ++position;
        if (position < start) continue;
        if (text.size() - i < find.size()) return 0;
        if (MatchesAt(text, i, find)) return position;
    }
    return 0;
}

std::string_view TextOf(sqlite3_value* v) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return std::string_view(text ? text : "", static_cast<size_t>(sqlite3_value_bytes(v)));
}

void CharIndexFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 2 || argc > 3) {
        sqlite3_result_error(ctx, "CHARINDEX takes 2 or 3 arguments", -1);
        return;
    }
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const int64_t start = argc == 3 ? sqlite3_value_int64(argv[2]) : 1;
    const std::string_view find = TextOf(argv[0]);
    const std::string_view text = TextOf(argv[1]);
    sqlite3_result_int64(ctx, CharIndex(find, text, start));
}
}  // namespace

void RegisterSqlFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_function_v2(db, "CHARINDEX", -1, flags, nullptr, CharIndexFunction, nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        throw DbError(
            QStringLiteral("无法在数据库连接上注册 CHARINDEX：%1").arg(QString::fromUtf8(sqlite3_errmsg(db))));
}

}  // namespace qor::db
