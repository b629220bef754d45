// The program's one pseudo-random generator: uniform single-precision draws in [0, 1).
#pragma once

#include <cstdint>

namespace tavoria {

class Random {
 public:
  // A uniform draw r with 0 <= r < 1.
  float Next();
  // Mixes a value (the seconds since midnight) into the state. Two re-seeds with almost the same
  // value do not bring back the draws that followed the first one.
  void Reseed(double seconds);

 private:
  std::uint64_t state_ = 0x853c49e6748fea9bULL;
};

}  // namespace tavoria
