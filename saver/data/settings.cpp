#include "saver/data/settings.h"

#include "platform/text_reader.h"
#include "saver/identity.h"

namespace tavoria {

bool ReadConfig(GeneralCode& g) {
  try {
    platform::TextReader file(g.sys.files, g.PathBesideProgram(CONFIG_FILE));
    g.delaySetting = file.ReadField();
    return true;
  } catch (const platform::Failure&) {
    g.delaySetting = "7";
    return false;
  }
}

bool WriteConfig(GeneralCode& g, const std::string& delay) {
  // Written beside the target and renamed over it, so a failed write never loses the old setting.
  const std::string target = g.PathBesideProgram(CONFIG_FILE);
  const std::string temporary = target + ".tmp";
  try {
    g.sys.files.WriteNew(temporary, delay + CRLF);
    g.sys.files.MoveReplacing(temporary, target);
    return true;
  } catch (const platform::Failure&) {
    g.sys.files.Remove(temporary);
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
