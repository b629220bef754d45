// The settings and switches readers and the field reader under them, on any file content.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/memory/memory_platform.h"
#include "platform/text_reader.h"
#include "saver/data/settings.h"
#include "saver/identity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::memory::MemoryPlatform m;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  m.WriteFile(tavoria::CONFIG_FILE, bytes);
  m.WriteFile(tavoria::SWITCHES_FILE, bytes);

  tavoria::GeneralCode g(m.platform);
  if (tavoria::ReadConfig(g) && g.delaySetting.size() > bytes.size()) __builtin_trap();
  if (!tavoria::ReadConfig(g) && g.delaySetting != "7") __builtin_trap();
  tavoria::ReadSaverArgs(g);

  // Every field comes from the file: together they are never longer than it.
  try {
    platform::TextReader reader(m.files, g.PathBesideProgram(tavoria::CONFIG_FILE));
    std::size_t total = 0;
    for (int i = 0; i < 10000; ++i) {
      total += reader.ReadField().size();
      if (total > bytes.size()) __builtin_trap();
    }
  } catch (const platform::Failure& f) {
    if (f.code() != platform::codes::kInputPastEnd) __builtin_trap();
  }
  return 0;
}
