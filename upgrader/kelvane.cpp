// Kelvane: installs an upgrade file into the Windows directory under the name its first line gives.
//
// The upgrade is read once, whole and bounded, and every check is made on those bytes in memory:
// their size, the first line as a plain name, the saver's own loader as of now with the regional
// settings of the user at the desktop, and the number against the database the upgrade would
// replace. Only then are exactly those bytes written, to a new file of Kelvane's own in the
// Windows directory that no other program can open, which is renamed over the database while
// still held. A refused upgrade writes nothing at all, and one program at a time compares and
// replaces a database.
#include "upgrader/kelvane.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>

#include "database/installed_name.h"
#include "database/loader.h"
#include "platform/whole_file.h"
#include "util/text_reader.h"

namespace kelvane {

namespace {

// The temporary files' names: this prefix, a part no other run uses, and this suffix (never
// ".sdf"). The uninstaller removes any left by a run that was cut off.
constexpr const char* kTemporaryPrefix = "kelvane-";
constexpr const char* kTemporarySuffix = ".tmp";
// How long Kelvane waits for another program to finish replacing a database.
constexpr int kLockWait = 30000;

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

[[noreturn]] void Refuse(int code, const std::string& why) {
  throw util::Failure(code, why, "Kelvane");
}

[[noreturn]] void NotAValidDatabaseName() {
  Refuse(util::codes::kBadFileName, "The upgrade file does not name a valid database.");
}

[[noreturn]] void NotAPlainName(const std::string& why) {
  Refuse(util::codes::kBadFileName,
         "The first line of the upgrade file is not a plain name: " + why + ".");
}

// Refuses a first line whose bytes are no plain name: a byte-order mark, a control character.
void RefuseUnlessPlain(std::string_view firstLine) {
  if (const auto why = database::WhyNotAPlainName(firstLine)) NotAPlainName(*why);
}

// The name of the installed database: the upgrade file's first line, read as text, and ".sdf".
// It must make a file name that stays in the Windows directory; anything else is refused.
std::string DatabaseName(const std::string& firstLine) {
  auto name = database::InstalledName(firstLine);
  if (!name) NotAValidDatabaseName();
  return std::move(*name);
}

// The upgrade file's bytes, read once: no more than a team database may have.
std::string ReadUpgrade(platform::Files& files, const platform::SystemName& path) {
  const auto file = files.OpenForReading(path);
  std::uint64_t size = file->Size();
  std::string bytes;
  if (size <= database::kLongestDatabase) {
    bytes = platform::ReadFrom(*file, database::kLongestDatabase + 1);
    size = std::max<std::uint64_t>(size, bytes.size());  // it may have grown meanwhile
  }
  if (size > database::kLongestDatabase)
    Refuse(util::codes::kInvalidCall, "The upgrade file is " + std::to_string(size) +
                                          " bytes, larger than a team database can be (at most " +
                                          std::to_string(database::kLongestDatabase) +
                                          " bytes, 1 MiB).");
  return bytes;
}

std::string FirstLine(std::string_view bytes) {
  util::TextReader file(bytes);
  return file.ReadLine();
}

// How the saver reads the upgrade's text: as its line 5 declares, else in the system's code page.
database::SystemText TextOfUpgrade(const System& sys, std::string_view upgrade) {
  std::optional<codepage::Encoding> declared;
  try {
    util::TextReader file(upgrade);
    std::string line;
    for (int n = 1; n <= 5; ++n) line = file.ReadLine();
    declared = database::DeclaredEncoding(line);
  } catch (const util::Failure&) {
    // Too short to declare anything: the loader refuses it.
  }
  if (declared)
    return [encoding = *declared](std::string_view bytes) {
      return codepage::ToUtf8(bytes, encoding);
    };
  return [&sys](std::string_view bytes) { return sys.desktop.TextOfSystemCodePage(bytes); };
}

const char* OrderWords(calendar::DateOrder order) {
  switch (order) {
    case calendar::DateOrder::DayMonthYear:
      return "day-month-year";
    case calendar::DateOrder::MonthDayYear:
      return "month-day-year";
    case calendar::DateOrder::YearMonthDay:
      return "year-month-day";
  }
  return "";
}

// Throws unless the saver would load the upgrade now with these regional settings. `where`
// follows "the upgrade file" in the message.
void CheckLoads(std::string_view upgrade, const database::Computer& computer,
                const std::string& where) {
  const database::LoadedDatabase loaded = database::Load(upgrade, computer);
  const auto& error = loaded.error;
  if (!error) return;
  if (error->code == util::codes::kInputPastEnd && !error->tooNew)
    Refuse(error->code, "The upgrade file is not a complete team database.");
  Refuse(error->code, "The screensaver could not read the upgrade file" + where + ": line " +
                          std::to_string(error->line) + ", " + error->reason + ".");
}

// Throws unless the saver of the user at the desktop would load the upgrade now; where the
// system cannot tell that user's settings, whatever their date order.
void CheckLoadsForTheDesktopUser(const System& sys, std::string_view upgrade) {
  database::Computer computer{
      sys.clock.Now(),
      {},
      [&sys](std::chrono::sys_seconds instant) { return sys.clock.LocalMomentOf(instant); },
      [&sys](std::string_view bytes) { return sys.desktop.TextOfSystemCodePage(bytes); }};
  if (const auto regional = sys.clock.DesktopUserRegional()) {
    computer.regional = *regional;
    CheckLoads(upgrade, computer, "");
    return;
  }
  for (const auto order : {calendar::DateOrder::DayMonthYear, calendar::DateOrder::MonthDayYear,
                           calendar::DateOrder::YearMonthDay}) {
    computer.regional = {.dateOrder = order};
    CheckLoads(upgrade, computer, std::string(" where dates are written ") + OrderWords(order));
  }
}

// The number of the database at `path`; none when there is no such file or it has no number.
std::optional<std::int16_t> NumberOf(platform::Files& files, const platform::SystemName& path) {
  try {
    return database::DatabaseNumber(platform::ReadFile(files, path, database::kLongestDatabase));
  } catch (const util::Failure&) {
    return std::nullopt;
  }
}

std::unique_ptr<platform::Lock> HoldDatabaseLock(platform::Process& process) {
  auto lock = process.HoldLock(kDatabaseLock, kLockWait);
  if (!lock)
    Refuse(util::codes::kPermissionDenied,
           "Another upgrade of the screensaver is being installed. Try again when it has "
           "finished.");
  return lock;
}

// Exactly these bytes in place of `installed`, through a held file of Kelvane's own beside it.
void Replace(platform::Files& files, const platform::SystemName& directory,
             const platform::SystemName& installed, std::string_view bytes) {
  const auto file = files.CreateHeld(directory, kTemporaryPrefix, kTemporarySuffix);
  file->Write(bytes);
  file->PutInPlace(installed);
}

void InstallDatabase(const System& sys, const platform::SystemName& upgradePath) {
  const std::string upgrade = ReadUpgrade(sys.files, upgradePath);
  // The first line names the file.
  const std::string firstLine = FirstLine(upgrade);
  RefuseUnlessPlain(firstLine);
  const platform::SystemName databaseName(DatabaseName(TextOfUpgrade(sys, upgrade)(firstLine)));
  const auto directory = sys.desktop.WindowsDirectory();
  if (!directory)
    throw util::Failure(util::codes::kPathNotFound, "The Windows directory could not be found.",
                        "Kelvane");
  CheckLoadsForTheDesktopUser(sys, upgrade);
  const platform::SystemName installed = *directory / databaseName;
  const auto lock = HoldDatabaseLock(sys.process);
  // An old download opened by mistake would throw newer fixtures away. A number either lacks
  // does not stop the upgrade.
  const auto number = database::DatabaseNumber(upgrade);
  const auto installedNumber = NumberOf(sys.files, installed);
  if (number && installedNumber && *number < *installedNumber)
    Refuse(util::codes::kInvalidCall, "The upgrade file is database " + std::to_string(*number) +
                                          ", older than the installed database " +
                                          std::to_string(*installedNumber) + ".");
  Replace(sys.files, *directory, installed, upgrade);
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

std::optional<std::int16_t> InstallUnlessNewer(platform::Process& process, platform::Files& files,
                                               const platform::SystemName& installed,
                                               std::string_view database) {
  const auto lock = HoldDatabaseLock(process);
  const auto number = database::DatabaseNumber(database);
  const auto installedNumber = NumberOf(files, installed);
  if (installedNumber && (!number || *installedNumber > *number)) return installedNumber;
  const std::string& path = installed.utf8();
  Replace(files, platform::SystemName(path.substr(0, path.find_last_of('\\'))), installed,
          database);
  return std::nullopt;
}

}  // namespace kelvane
