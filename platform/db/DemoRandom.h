#pragma once

#include <QtGlobal>
#include <cstdint>
#include <random>

namespace qor::db {

// The demo generator's source of chance. The engine's sequence is fixed by the
// C++ standard and no library distribution is involved, so a seed gives the
// same company with every compiler.
class DemoRandom {
public:
    explicit DemoRandom(uint32_t seed) : engine_(seed) {}

    // 0 .. n - 1
    int Below(qsizetype n) { return static_cast<int>(engine_() % static_cast<uint32_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename List>
    const auto& Pick(const List& list) {
        return list[Below(list.size())];
    }

private:
    std::mt19937 engine_;
};

}  // namespace qor::db
