// The settings and switches readers and the field reader under them, on any file content.
#include <string>

#include "saver/data/settings.h"
#include "tests/fuzz/fuzz_input.h"
#include "util/identity.h"
#include "util/text_reader.h"
#include "util/utf8.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  auto& m = fuzz::SharedPlatform();
  m.WriteFile(tavoria::CONFIG_FILE, bytes);
  m.WriteFile(tavoria::SWITCHES_FILE, bytes);

  tavoria::SaverState saver(m.platform);
  if (tavoria::ReadConfig(saver)) Require(utf8::Length(saver.delaySetting) <= bytes.size());
  if (!tavoria::ReadConfig(saver)) Require(saver.delaySetting == tavoria::kDefaultDelay);
  tavoria::ReadSaverArgs(saver);

  // Every field comes from the file: together they are never longer than it.
  try {
    util::TextReader reader(bytes);
    std::size_t total = 0;
    for (int i = 0; i < 10000; ++i) {
      total += reader.ReadField().size();
      Require(total <= bytes.size());
    }
  } catch (const util::Failure& f) {
    Require(f.code() == util::codes::kInputPastEnd);
  }
  return 0;
}
