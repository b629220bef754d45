#include "saver/data/settings.h"

#include "platform/whole_file.h"
#include "util/identity.h"
#include "util/text.h"
#include "util/text_reader.h"

namespace tavoria {

namespace {

// The settings and switches files hold a field or two: reading goes no further than this.
constexpr std::size_t kLongestSettingsFile = 256 * 1024;

bool FileExists(platform::Files& files, const platform::SystemName& path) {
  try {
    files.OpenForReading(path);
    return true;
  } catch (const util::Failure& failure) {
    const int code = failure.code();
    return code != util::codes::kFileNotFound && code != util::codes::kPathNotFound &&
           code != util::codes::kBadFileName;
  }
}

// Replaces a settings file by one line: the delay text and CR LF.
void WriteDelay(SaverState& saver, const platform::SystemName& target, const std::string& delay) {
  platform::ReplaceFile(saver.sys.files, target, platform::SystemName(target.utf8() + ".tmp"),
                        [&](const platform::SystemName& temporary) {
                          saver.sys.files.WriteNew(temporary, delay + text::kCrLf);
                        });
}

}  // namespace

std::string AcceptedDelays() {
  return "between " + std::to_string(kShortestDelay) + " and " + std::to_string(kLongestDelay);
}

std::optional<platform::SystemName> UserSettingsDirectory(SaverState& saver) {
  const auto appData = saver.sys.files.RoamingAppData();
  if (!appData) return std::nullopt;
  return *appData / SCREENSAVER_NAME;
}

platform::SystemName SettingsFileInEffect(SaverState& saver) {
  if (const auto directory = UserSettingsDirectory(saver)) {
    const platform::SystemName own = *directory / CONFIG_FILE;
    if (FileExists(saver.sys.files, own)) return own;
  }
  return saver.PathBesideProgram(CONFIG_FILE);
}

bool ReadConfig(SaverState& saver) {
  try {
    const std::string text = saver.sys.desktop.TextOfSystemCodePage(
        platform::ReadFile(saver.sys.files, SettingsFileInEffect(saver), kLongestSettingsFile));
    util::TextReader file(text);
    saver.delaySetting = file.ReadField();
    return true;
  } catch (const util::Failure&) {
    saver.delaySetting = kDefaultDelay;
    return false;
  }
}

bool WriteConfig(SaverState& saver, const std::string& delay) {
  const platform::SystemName target = SettingsFileInEffect(saver);
  try {
    WriteDelay(saver, target, delay);
    return true;
  } catch (const util::Failure&) {
  }
  // A standard user cannot write beside a program in the Windows directory: the user's own file
  // takes the delay, and serves from then on.
  const auto directory = UserSettingsDirectory(saver);
  if (target != saver.PathBesideProgram(CONFIG_FILE) || !directory) return false;
  try {
    saver.sys.files.MakeDirectory(*directory);
    WriteDelay(saver, *directory / CONFIG_FILE, delay);
    return true;
  } catch (const util::Failure&) {
    return false;
  }
}

bool ReadSaverArgs(SaverState& saver) {
  try {
    const std::string text = saver.sys.desktop.TextOfSystemCodePage(platform::ReadFile(
        saver.sys.files, saver.PathBesideProgram(SWITCHES_FILE), kLongestSettingsFile));
    util::TextReader file(text);
    saver.saverSwitch = file.ReadField();
    saver.setupSwitch = file.ReadField();
    return true;
  } catch (const util::Failure&) {
    return false;
  }
}

}  // namespace tavoria
