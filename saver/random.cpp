#include "saver/random.h"

#include <cstring>

namespace tavoria {

namespace {
constexpr std::uint64_t kGamma = 0x9e3779b97f4a7c15ULL;

std::uint64_t Mix(std::uint64_t x) {
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}
}  // namespace

float Random::Next() {
  state_ += kGamma;
  // 24 random bits give a float on a grid of 2^-24 in [0, 1), never 1.
  return static_cast<float>(Mix(state_) >> 40) * (1.0f / 16777216.0f);
}

void Random::Reseed(double seconds) {
  std::uint64_t bits;
  std::memcpy(&bits, &seconds, sizeof bits);
  // The old state takes part, so a time value close to the last one never replays the sequence.
  state_ = Mix(state_ ^ Mix(bits + kGamma));
}

}  // namespace tavoria
