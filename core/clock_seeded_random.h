// The program's random generator, reseeded from a nanosecond clock before every use.
#pragma once

#include <cstdint>
#include <functional>

#include "core/frame_colours.h"

namespace zantiro::core {

// Nanoseconds of a steady clock, offset per run, so two reseeds a tick apart never share a seed.
std::uint64_t nanosecondSeed();

class ClockSeededRandom final : public RandomSource {
public:
    explicit ClockSeededRandom(std::function<std::uint64_t()> seedClock = nanosecondSeed)
        : seedClock_(std::move(seedClock)) {}

    void reseed() override { state_ = seedClock_(); }
    float next() override;

private:
    std::function<std::uint64_t()> seedClock_;
    std::uint64_t state_ = 0;
};

}  // namespace zantiro::core
