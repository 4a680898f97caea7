// The pseudo-random source behind Node Randomize.
#include "geometry/Random.h"

#include <ctime>
#include <memory>
#include <random>

RandomSource MakeSeededRandom(std::uint32_t seed) {
    // The Mersenne Twister's output is fixed by the standard, unlike the distributions, so
    // the top 15 bits of each 32-bit draw give a host-independent sequence.
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return static_cast<int>((*engine)() >> 17); };
}

RandomSource MakeTimeSeededRandom() {
    return MakeSeededRandom(static_cast<std::uint32_t>(std::time(nullptr)));
}

int RandomIndex(int value, int n) {
    constexpr double inverseMax = 1.0 / RandomMax;
    int index = static_cast<int>(double(value) * double(n) * inverseMax);
    return index > n - 1 ? n - 1 : index;
}
