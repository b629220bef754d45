// Start-up with any command line and any switches file: it must pick a mode without crashing.
// The input is the switches file, a zero byte, then the command line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/memory/memory_platform.h"
#include "saver/identity.h"
#include "saver/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t split = bytes.find('\0');
  platform::memory::MemoryPlatform m;
  m.WriteFile(tavoria::SWITCHES_FILE, bytes.substr(0, split));
  m.process.argumentText = split == std::string::npos ? "" : bytes.substr(split + 1);
  {
    tavoria::GeneralCode g(m.platform);
    m.ui.Run([&] { tavoria::Main(g); });
    // Whatever happened, at most one answer, and the pointer is never left hidden without a window.
    if (m.desktop.messages.size() > 1) __builtin_trap();
    if (m.desktop.cursorCount < 0 && m.ui.openForms.empty()) __builtin_trap();
    m.ui.openForms.clear();
  }
  return 0;
}
