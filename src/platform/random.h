#pragma once

#include <random>

#include "platform/platform.h"

namespace zw {

// The program's one random source: a 64-bit Mersenne Twister; Next() takes its top 53 bits.
class MersenneRandom final : public RandomSource {
public:
    explicit MersenneRandom(std::uint64_t seed = 0) : engine_(seed) {}
    void Seed(std::uint64_t seed) override { engine_.seed(seed); }
    double Next() override {
        return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace zw
