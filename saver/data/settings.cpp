#include "saver/data/settings.h"

#include "platform/replace_file.h"
#include "platform/text.h"
#include "platform/text_reader.h"
#include "saver/identity.h"

namespace tavoria {

bool ReadConfig(GeneralCode& g) {
  try {
    platform::TextReader file(g.sys.files, g.PathBesideProgram(CONFIG_FILE));
    g.delaySetting = file.ReadField();
    return true;
  } catch (const platform::Failure&) {
    g.delaySetting = kDefaultDelay;
    return false;
  }
}

bool WriteConfig(GeneralCode& g, const std::string& delay) {
  const std::string target = g.PathBesideProgram(CONFIG_FILE);
  try {
    platform::ReplaceFile(g.sys.files, target, target + ".tmp", [&](const std::string& temporary) {
      g.sys.files.WriteNew(temporary, delay + text::kCrLf);
    });
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
