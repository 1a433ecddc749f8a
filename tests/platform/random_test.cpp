#include "platform/random.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(SeededRandom, ASeedRepeatsItsSequenceBelowOne) {
  SeededRandom a(42), b(42);
  for (int i = 0; i < 1000; ++i) {
    const double u = a.Uniform();
    ASSERT_EQ(u, b.Uniform());
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
  // SplitMix64's published first output for seed 0: maps made with --seed
  // must not change when the code is rebuilt elsewhere.
  EXPECT_EQ(SeededRandom(0).NextBits(), 0xe220a8397b1dcdafull);
}

}  // namespace
}  // namespace korv
