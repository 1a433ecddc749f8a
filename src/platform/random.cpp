#include "platform/random.h"

#include <chrono>

namespace korv {

uint64_t SeededRandom::NextBits() {
  uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

double SeededRandom::Uniform() {
  // The top 53 bits give every double in [0, 1) on a grid of 2^-53.
  return static_cast<double>(NextBits() >> 11) * 0x1.0p-53;
}

uint64_t SeedFromClock() {
  return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace korv
