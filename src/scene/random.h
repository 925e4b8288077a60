#pragma once
// The saver's pseudo-random generator: integers uniform in 0..32767, the same sequence for a seed on
// every platform (a linear congruential generator with the classic C library constants).
#include <cstdint>

constexpr int RANDOM_MAX = 32767;

void seedRandom(uint32_t seed);
int nextRandom();
