// What every fuzzer shares: its input as bytes, the check that stops a run when a property fails,
// and the in-memory platform kept from one run to the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/memory/memory_platform.h"

namespace fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Stops the run, so the fuzzer keeps the input that broke the property.
inline void Require(bool property) {
  if (!property) __builtin_trap();
}

// One platform for every run: its temporary folder is made once. Each run starts with an empty
// event log, so nothing grows from one run to the next.
inline platform::memory::MemoryPlatform& SharedPlatform() {
  static platform::memory::MemoryPlatform m;
  m.log.events.clear();
  return m;
}

}  // namespace fuzz
