// Kelvane: copies an upgrade file into the Windows directory under the name its first line gives.
//
// The installed database is replaced in one step: the upgrade is copied to a temporary file beside
// it, loaded there by the saver's own loader as of now, and only then renamed over the old
// database. What the saver would stop on, or an upgrade older than the database in place, is
// refused; a failure on the way leaves the old database as it was and removes the temporary file.
#include "upgrader/kelvane.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string_view>

#include "database/loader.h"
#include "platform/whole_file.h"
#include "util/text.h"
#include "util/text_reader.h"
#include "util/utf8.h"

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
  if (!base.starts_with("COM") && !base.starts_with("LPT")) return false;
  // 0 to 9, and the superscript digits one, two and three.
  const std::string_view digit = std::string_view(base).substr(3);
  return (digit.size() == 1 && text::IsDigit(digit[0])) || digit == "¹" || digit == "²" ||
         digit == "³";
}

// A name's length as Windows counts it: in UTF-16 units.
std::size_t WindowsLength(std::string_view name) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < name.size();) {
    const auto c = utf8::Next(name, at);
    if (!c) ++at;
    units += c && *c > 0xFFFF ? 2 : 1;
  }
  return units;
}

// The name of the installed database: the upgrade file's first line and ".sdf". The line must
// make a plain file name that stays in the Windows directory; anything else is refused.
std::string DatabaseName(const std::string& firstLine) {
  if (firstLine.empty()) NotAValidDatabaseName();  // ".sdf" names no database the saver reads
  for (unsigned char c : firstLine)
    if (c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string::npos)
      NotAValidDatabaseName();
  if (firstLine.find("..") != std::string::npos) NotAValidDatabaseName();
  if (firstLine.back() == '.' || firstLine.back() == ' ') NotAValidDatabaseName();
  if (IsReservedDeviceName(firstLine.substr(0, firstLine.find('.')))) NotAValidDatabaseName();
  std::string name = firstLine + kExtension;
  if (WindowsLength(name) > kLongestName) NotAValidDatabaseName();
  return name;
}

std::string ReadFirstLine(platform::Files& files, const platform::SystemName& path) {
  // The first line is at most a name's length; a longer one is refused as a name anyway.
  const std::string start = platform::ReadFile(files, path, util::TextReader::kLongestLine + 2);
  util::TextReader file(start);
  return file.ReadLine();
}

[[noreturn]] void Refuse(int code, const std::string& why) {
  throw util::Failure(code, why, "Kelvane");
}

// The number of the database at `path`; none when there is no such file or it has no number.
std::optional<std::int16_t> NumberOf(platform::Files& files, const platform::SystemName& path) {
  try {
    return database::DatabaseNumber(platform::ReadFile(files, path, database::kLongestDatabase));
  } catch (const util::Failure&) {
    return std::nullopt;
  }
}

// Throws unless the copied upgrade is what the saver would load now, under this user's regional
// settings, and no older than the database it replaces.
void CheckUpgrade(const System& sys, const platform::SystemName& copy,
                  const platform::SystemName& installed) {
  const std::string upgrade = sys.desktop.TextOfSystemCodePage(
      platform::ReadFile(sys.files, copy, database::kLongestDatabase));
  const database::LoadedDatabase loaded =
      database::Load(upgrade, sys.clock.Now(), sys.clock.Regional());
  if (const auto& error = loaded.error) {
    if (error->code == util::codes::kInputPastEnd && !error->tooNew)
      Refuse(error->code, "The upgrade file is not a complete team database.");
    Refuse(error->code, "The screensaver could not read the upgrade file: line " +
                            std::to_string(error->line) + ", " + error->reason + ".");
  }
  // An old download opened by mistake would throw newer fixtures away. A number either lacks
  // does not stop the upgrade.
  const auto number = database::DatabaseNumber(upgrade);
  const auto installedNumber = NumberOf(sys.files, installed);
  if (number && installedNumber && *number < *installedNumber)
    Refuse(util::codes::kInvalidCall, "The upgrade file is database " + std::to_string(*number) +
                                          ", older than the installed database " +
                                          std::to_string(*installedNumber) + ".");
}

void InstallDatabase(const System& sys, const platform::SystemName& upgradePath) {
  // The first line, text of the system's code page, names the file.
  const platform::SystemName databaseName(
      DatabaseName(sys.desktop.TextOfSystemCodePage(ReadFirstLine(sys.files, upgradePath))));
  const auto directory = sys.desktop.WindowsDirectory();
  if (!directory)
    throw util::Failure(util::codes::kPathNotFound, "The Windows directory could not be found.",
                        "Kelvane");
  const platform::SystemName installed = *directory / databaseName;
  platform::ReplaceFile(sys.files, installed, *directory / kTemporaryName,
                        [&](const platform::SystemName& temporary) {
                          sys.files.CopyReplacing(upgradePath, temporary);
                          CheckUpgrade(sys, temporary, installed);
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
