// splitmix64 over a clock seed: every seed bit reaches every output bit.
#include "core/clock_seeded_random.h"

#include <chrono>

namespace zantiro::core {

std::uint64_t nanosecondSeed() {
    using namespace std::chrono;
    // The steady clock never repeats a reading; the wall clock at first use makes each run differ.
    static const auto runSalt = static_cast<std::uint64_t>(system_clock::now().time_since_epoch().count());
    return runSalt +
           static_cast<std::uint64_t>(duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

float ClockSeededRandom::next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<float>(z >> 40) * 0x1.0p-24f;  // 24 bits: exactly representable, below 1
}

}  // namespace zantiro::core
