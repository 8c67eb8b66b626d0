// The program's random generator, reseeded from a nanosecond clock before every use.
#pragma once

#include <cstdint>
#include <functional>

#include "forms/platform.h"

namespace zantiro::effects {

// Nanoseconds of a steady clock, offset per run, so two reseeds a tick apart never share a seed.
std::uint64_t nanosecondSeed();

class ClockSeededRandom final : public forms::RandomSource {
public:
    explicit ClockSeededRandom(std::function<std::uint64_t()> seedClock = nanosecondSeed)
        : seedClock_(std::move(seedClock)) {}

    void reseed() override { state_ = seedClock_(); }
    float next() override;

private:
    std::function<std::uint64_t()> seedClock_;
    std::uint64_t state_ = 0;
};

}  // namespace zantiro::effects
