// Kelvane: copies an upgrade file into the Windows directory under the name its first line gives.
//
// The installed database is replaced in one step: the upgrade is copied to a temporary file beside
// it, checked there as the saver would read it, and only then renamed over the old database. A
// failure on the way leaves the old database as it was and removes the temporary file.
#include "upgrader/kelvane.h"

#include <exception>
#include <string_view>

#include "database/database_file.h"
#include "database/loader.h"
#include "platform/whole_file.h"
#include "util/text.h"
#include "util/text_reader.h"

namespace kelvane {

namespace {

constexpr const char* kExtension = ".sdf";
// Where the upgrade is copied before it replaces the database; never a name ending in ".sdf".
constexpr const char* kTemporaryName = "kelvane-upgrade.tmp";
// The longest name one folder entry may have.
constexpr std::size_t kLongestName = 255;

void ShowCouldNotUpgrade(const System& sys) {
  sys.desktop.ShowMessage({.title = "Couldn't upgrade!",
                           .text = "The Fenmoor Kelvane couldn't upgrade your screensaver.",
                           .icon = platform::Icon::Information});
}

void ShowUpgraded(const System& sys) {
  sys.desktop.ShowMessage({.title = "Screensaver upgraded!",
                           .text = "Your screensaver has been upgraded!",
                           .icon = platform::Icon::Information});
}

void ShowUpgradeFailed(const System& sys, const util::Failure& failure) {
  sys.desktop.ShowMessage(
      {.title = "Screensaver upgrade",
       .text = "The Fenmoor Kelvane couldn't upgrade your screensaver: \r\n\r\n" +
               failure.description(),
       .icon = platform::Icon::Stop});
}

[[noreturn]] void NotAValidDatabaseName() {
  throw util::Failure(util::codes::kBadFileName, "The upgrade file does not name a valid database.",
                      "Kelvane");
}

// Device names Windows keeps for itself in every folder, whatever extension follows them.
bool IsReservedDeviceName(std::string_view name) {
  const std::string base = text::UpperCase(text::TrimRight(name, " "));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* device : kDevices)
    if (base == device) return true;
  if (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT"))) {
    const unsigned char digit = static_cast<unsigned char>(base[3]);
    // 0 to 9, and the superscript digits one, two and three of the Windows code page.
    return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  }
  return false;
}

// The name of the installed database: the upgrade file's first line and ".sdf". The line must
// make a plain file name that stays in the Windows directory; anything else is refused.
std::string DatabaseName(const std::string& firstLine) {
  for (unsigned char c : firstLine)
    if (c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string::npos)
      NotAValidDatabaseName();
  if (firstLine.find("..") != std::string::npos) NotAValidDatabaseName();
  if (!firstLine.empty() && (firstLine.back() == '.' || firstLine.back() == ' '))
    NotAValidDatabaseName();
  if (IsReservedDeviceName(firstLine.substr(0, firstLine.find('.')))) NotAValidDatabaseName();
  std::string name = firstLine + kExtension;
  if (name.size() > kLongestName) NotAValidDatabaseName();
  return name;
}

std::string ReadFirstLine(platform::Files& files, const platform::SystemName& path) {
  // The first line is at most a name's length; a longer one is refused as a name anyway.
  const std::string start = platform::ReadFile(files, path, util::TextReader::kLongestLine + 2);
  util::TextReader file(start);
  return file.ReadLine();
}

// Throws when the copied upgrade is not a whole team database, as the saver would read it.
void CheckUpgradeComplete(platform::Files& files, const platform::SystemName& path) {
  try {
    database::CheckDatabaseComplete(platform::ReadFile(files, path, database::kLongestDatabase));
  } catch (const util::Failure& failure) {
    switch (failure.code()) {
      case util::codes::kInputPastEnd:
      case util::codes::kSubscriptOutOfRange:
      case util::codes::kInvalidCall:
        throw util::Failure(failure.code(), "The upgrade file is not a complete team database.",
                            "Kelvane");
      default:
        throw;
    }
  }
}

void InstallDatabase(const System& sys, const platform::SystemName& upgradePath) {
  // The first line is text of the code page, and names the file in it.
  const platform::SystemName databaseName =
      sys.desktop.NameOfText(DatabaseName(ReadFirstLine(sys.files, upgradePath)));
  const auto directory = sys.desktop.WindowsDirectory();
  if (!directory)
    throw util::Failure(util::codes::kPathNotFound, "The Windows directory could not be found.",
                        "Kelvane");
  platform::ReplaceFile(sys.files, *directory / databaseName, *directory / kTemporaryName,
                        [&](const platform::SystemName& temporary) {
                          sys.files.CopyReplacing(upgradePath, temporary);
                          CheckUpgradeComplete(sys.files, temporary);
                        });
}

}  // namespace

void Main(const System& sys) {
  const platform::SystemName upgradePath = sys.process.ArgumentText();
  if (upgradePath.empty()) {
    ShowCouldNotUpgrade(sys);
    return;
  }
  try {
    InstallDatabase(sys, upgradePath);
  } catch (const util::Failure& failure) {
    ShowUpgradeFailed(sys, failure);
    return;
  } catch (const std::exception& failure) {  // out of memory and the like
    ShowUpgradeFailed(sys, util::Failure(util::codes::kOutOfMemory, failure.what(), "Kelvane"));
    return;
  }
  ShowUpgraded(sys);
}

}  // namespace kelvane
