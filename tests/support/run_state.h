// The run-state invariants every sequence of user events must keep, checked with GoogleTest expectations; and a
// random user who produces such sequences. Shared by the random walk test and the soak.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/support/headless_app.h"

namespace zantiro::testing {

// What the controls and counters break of the rules of the current run state (the run-state table); empty when all
// hold.
std::vector<std::string> brokenRunStateRules(const ui::Form1& f);
// The run-state table's rules (brokenRunStateRules), and what holds in every state besides.
void expectRunStateHolds(const HeadlessApp& app, const std::string& step);
// While counting up, the count never goes back (it stops at its limit rather than wrap). `last` is the count after
// the previous step; it is updated to the count now.
void expectCountUpNeverGoesBack(const HeadlessApp& app, const std::string& step, std::int32_t& last);
// The stay-awake requests so far take turns: on, off, on, ... (none repeats the one before).
void expectAwakeRequestsAlternate(const HeadlessApp& app);

// Clicks, menu choices with input box answers, function keys and waits, drawn from a seeded generator.
class RandomUser {
public:
    // longestWaitMs: the longest of the occasional long waits (a quarter of the waits; the others are below 2.5 s).
    RandomUser(std::uint32_t seed, int longestWaitMs) : rng_(seed), longestWaitMs_(longestWaitMs) {}
    // Does one thing to the app and says what, for the failure messages.
    std::string act(HeadlessApp& app);

private:
    int pick(std::size_t n) { return static_cast<int>(rng_() % n); }
    std::mt19937 rng_;
    int longestWaitMs_;
};

}  // namespace zantiro::testing
