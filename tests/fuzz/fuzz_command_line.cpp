// Start-up with any command line and any switches file: it must pick a mode without crashing.
// The input is the switches file, a zero byte, then the command line.
#include <string>

#include "saver/startup.h"
#include "tests/fuzz/fuzz_input.h"
#include "util/identity.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(fuzz::Bytes(data, size));
  const std::size_t split = bytes.find('\0');
  platform::memory::MemoryPlatform m;
  m.WriteFile(tavoria::SWITCHES_FILE, bytes.substr(0, split));
  m.process.argumentText = split == std::string::npos ? "" : bytes.substr(split + 1);
  {
    tavoria::SaverState saver(m.platform);
    m.ui.Run([&] { tavoria::Main(saver); });
    // Whatever happened, at most one answer, and the pointer is never left hidden without a window.
    Require(m.desktop.messages.size() <= 1);
    Require(m.desktop.cursorCount >= 0 || !m.ui.openForms.empty());
    m.ui.openForms.clear();
  }
  return 0;
}
