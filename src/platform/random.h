// Random-number service: uniform numbers in [0, 1). Seedable so that
// korvmap --seed and the tests give the same maps on every machine (the
// generator is our own, not a standard-library distribution whose output
// differs between library vendors).
#pragma once

#include <cstdint>

namespace korv {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Uniform in [0, 1).
  virtual double Uniform() = 0;
};

// SplitMix64: small, fast and the same sequence everywhere.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(uint64_t seed = 0x4b6f7276u) : state_(seed) {}
  double Uniform() override;
  uint64_t NextBits();

 private:
  uint64_t state_;
};

// Seeds from the clock: a new sequence every run of the desktop editor.
uint64_t SeedFromClock();

}  // namespace korv
