#include "saver/data/settings.h"

#include "platform/replace_file.h"
#include "platform/text.h"
#include "platform/text_reader.h"
#include "saver/identity.h"

namespace tavoria {

namespace {

bool FileExists(platform::Files& files, const std::string& path) {
  try {
    files.OpenForReading(path);
    return true;
  } catch (const platform::Failure& failure) {
    const int code = failure.code();
    return code != platform::codes::kFileNotFound && code != platform::codes::kPathNotFound &&
           code != platform::codes::kBadFileName;
  }
}

// Replaces a settings file by one line: the delay text and CR LF.
void WriteDelay(GeneralCode& g, const std::string& target, const std::string& delay) {
  platform::ReplaceFile(g.sys.files, target, target + ".tmp", [&](const std::string& temporary) {
    g.sys.files.WriteNew(temporary, delay + text::kCrLf);
  });
}

}  // namespace

std::string UserSettingsDirectory(GeneralCode& g) {
  const std::string appData = g.sys.files.RoamingAppData();
  return appData.empty() ? "" : appData + "\\" + SCREENSAVER_NAME;
}

std::string SettingsFileInEffect(GeneralCode& g) {
  const std::string directory = UserSettingsDirectory(g);
  if (!directory.empty()) {
    const std::string own = directory + "\\" + CONFIG_FILE;
    if (FileExists(g.sys.files, own)) return own;
  }
  return g.PathBesideProgram(CONFIG_FILE);
}

bool ReadConfig(GeneralCode& g) {
  try {
    platform::TextReader file(g.sys.files, SettingsFileInEffect(g));
    g.delaySetting = file.ReadField();
    return true;
  } catch (const platform::Failure&) {
    g.delaySetting = kDefaultDelay;
    return false;
  }
}

bool WriteConfig(GeneralCode& g, const std::string& delay) {
  const std::string target = SettingsFileInEffect(g);
  try {
    WriteDelay(g, target, delay);
    return true;
  } catch (const platform::Failure&) {
  }
  // A standard user cannot write beside a program in the Windows directory: the user's own file
  // takes the delay, and serves from then on.
  const std::string directory = UserSettingsDirectory(g);
  if (target != g.PathBesideProgram(CONFIG_FILE) || directory.empty()) return false;
  try {
    g.sys.files.MakeDirectory(directory);
    WriteDelay(g, directory + "\\" + CONFIG_FILE, delay);
    return true;
  } catch (const platform::Failure&) {
    return false;
  }
}

bool ReadSaverArgs(GeneralCode& g) {
  try {
    platform::TextReader file(g.sys.files, g.PathBesideProgram(SWITCHES_FILE));
    g.saverSwitch = file.ReadField();
    g.setupSwitch = file.ReadField();
    return true;
  } catch (const platform::Failure&) {
    return false;
  }
}

}  // namespace tavoria
