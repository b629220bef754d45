// Kelvane with any upgrade file: the name check and the completeness check, in every date order
// (the desktop user's settings unknown). Whatever the file holds, exactly one box is shown; on
// success the installed file is the upgrade byte for byte under a plain name in the Windows
// directory; on failure nothing at all was ever written there. The input is the upgrade file.
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_input.h"
#include "upgrader/kelvane.h"
#include "util/utf8.h"

using fuzz::Require;

namespace {

namespace fs = std::filesystem;

const std::string kOldDatabase = "tavoria\r\nthe installed database\r\n";

platform::memory::MemoryPlatform& Session() {
  auto& m = fuzz::SharedPlatform();
  static const bool prepared = [&m] {
    fs::create_directory(m.PathOf("windows"));
    m.desktop.windowsDirectory = m.process.programDirectory + "\\windows";
    m.clock.desktopUserRegional.reset();
    m.process.argumentText = m.process.programDirectory + "\\My Downloads\\upgrade.tup";
    fs::create_directory(m.PathOf("My Downloads"));
    return true;
  }();
  (void)prepared;
  return m;
}

std::size_t Count(const fs::path& folder) {
  std::size_t n = 0;
  for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it) ++n;
  return n;
}

// What a plain name may not hold, checked here independently of the program.
bool IsPlainName(std::string_view name) {
  if (name.size() > 255 || name.find("..") != std::string_view::npos) return false;
  for (unsigned char c : name)
    if (c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != name.npos)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& m = Session();
  const std::string upgrade(fuzz::Bytes(data, size));
  m.WriteFile("windows/tavoria.sdf", kOldDatabase);
  m.WriteFile("My Downloads/upgrade.tup", upgrade);
  m.desktop.messages.clear();
  m.files.written.clear();

  kelvane::Main({m.process, m.files, m.clock, m.desktop});

  Require(m.desktop.messages.size() == 1);
  Require(Count(m.process.programDirectory) == 2 && Count(m.PathOf("My Downloads")) == 1);
  if (m.desktop.messages[0].title == "Screensaver upgraded!") {
    std::string firstLine = upgrade.substr(0, upgrade.find('\n'));
    if (upgrade.find('\n') != std::string::npos && !firstLine.empty() && firstLine.back() == '\r')
      firstLine.pop_back();
    Require(IsPlainName(firstLine + ".sdf"));
    // On the disk, the line's bytes as the characters of the in-memory platform's code page.
    std::string name;
    for (const unsigned char c : firstLine + ".sdf") utf8::Append(name, c);
    Require(m.ReadFile("windows/" + name) == upgrade);
    Require(Count(m.PathOf("windows")) == (name == "tavoria.sdf" ? 1u : 2u));
    if (name != "tavoria.sdf") {
      Require(m.ReadFile("windows/tavoria.sdf") == kOldDatabase);
      fs::remove(m.PathOf("windows/" + name));
    }
  } else {
    Require(m.desktop.messages[0].title == "Screensaver upgrade");
    Require(Count(m.PathOf("windows")) == 1);
    for (const std::string& path : m.files.written)
      Require(!path.starts_with(m.desktop.windowsDirectory));
    Require(m.ReadFile("windows/tavoria.sdf") == kOldDatabase);
  }
  return 0;
}
