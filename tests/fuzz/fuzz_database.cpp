// The database loader, the completeness check and the number reader on any file content.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/memory/memory_platform.h"
#include "saver/data/database.h"
#include "saver/data/database_file.h"

namespace {

platform::memory::MemoryPlatform& Platform() {
  static platform::memory::MemoryPlatform m;
  return m;
}

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& m = Platform();
  m.clock.Set({2026, 12, 8}, 15, 0, 0);
  m.clock.dateOrder = static_cast<platform::DateOrder>(size % 3);
  m.desktop.messages.clear();
  m.WriteFile("tavoria.sdf", std::string_view(reinterpret_cast<const char*>(data), size));

  tavoria::GeneralCode g{m.platform};
  tavoria::LoadDatabase(g);
  Require(m.desktop.messages.size() <= 1);
  Require(g.specialFixtures.size() == static_cast<std::size_t>(g.specialCount));
  Require(g.fixtures.size() == static_cast<std::size_t>(g.fixtureCount));
  Require(g.trivia.size() == static_cast<std::size_t>(g.triviaCount));
  Require(g.adverts.size() == static_cast<std::size_t>(g.advertCount));
  Require(g.specialCount <= 10 && g.fixtureCount <= 100);
  Require(g.triviaCount <= 100 && g.advertCount <= 100);
  tavoria::AddBuiltInAdverts(g);
  Require(g.adverts.size() == static_cast<std::size_t>(g.advertCount) + 3);

  tavoria::GetDatabaseNumber(g);
  try {
    tavoria::CheckDatabaseComplete(m.files, m.PathOf("tavoria.sdf"));
  } catch (const platform::Failure&) {
  }
  return 0;
}
