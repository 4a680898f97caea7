// Pseudo-random integers 0 … 32767 for Node Randomize: seeded from the clock, or by a test.
#pragma once

#include <cstdint>
#include <functional>

constexpr int RandomMax = 32767;

// Each call yields the next integer in 0 … RandomMax.
using RandomSource = std::function<int()>;

// A generator with a fixed seed: the same seed gives the same sequence on every host.
RandomSource MakeSeededRandom(std::uint32_t seed);

// The editor's generator, seeded with the current time in seconds.
RandomSource MakeTimeSeededRandom();

// The index ⌊value · n / 32767⌋ for a drawn value, formed as value × n × (1/32767) in doubles
// and truncated; the value 32767 would give n itself, so the result is clamped to n − 1.
// n must be positive.
int RandomIndex(int value, int n);
