// The state shared by the saver's procedures: the module state of `generalcode`, created empty
// when the program starts and living until it ends.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "saver/data/database_file.h"
#include "saver/data/fixture_text.h"
#include "saver/random.h"

namespace tavoria {

struct ScreenSaverWindow;  // saver/display/saver_window.h
struct SetupWindow;        // saver/setup/setup_window.h

struct GeneralCode {
  explicit GeneralCode(platform::Platform& platform);
  ~GeneralCode();
  GeneralCode(const GeneralCode&) = delete;
  GeneralCode& operator=(const GeneralCode&) = delete;

  platform::Platform& sys;

  // Settings.
  std::string delaySetting = "7";
  std::string saverSwitch = "/s";
  std::string setupSwitch = "/c";

  // Content lists. Entry n (counted from 1, as the counts do) is element n - 1.
  std::vector<SpecialFixture> specialFixtures;
  std::vector<std::string> fixtures;
  std::vector<std::string> trivia;
  std::vector<std::string> adverts;  // the file's adverts, then the built-in ones
  std::int16_t specialCount = 0;
  std::int16_t fixtureCount = 0;
  std::int16_t triviaCount = 0;
  std::int16_t advertCount = 0;  // the file's adverts only, "End Ads" included

  // The records behind `fixtures`, kept so the texts can be composed again while the saver runs:
  // after midnight yesterday's go and today's carry the marker; after a marked kick-off the marker
  // goes. Not `live` unless the texts came from a whole fixture section.
  struct ShownFixtures {
    bool live = false;
    std::vector<FixtureRecord> records;  // the records not past at load, in file order
    bool pastAtLoad = false;             // some records were past at load
    // For each entry of `fixtures`: the index of its record, or records.size() + n for notice n.
    std::vector<std::size_t> sources;
    FixtureClock composedFor;  // the moment the texts were composed for
    int markerEnds = -1;       // the earliest kick-off of a marked fixture; -1 for none
  } shownFixtures;

  // Display state.
  std::int16_t nextFixtureIndex = 0;
  bool pointerHidden = false;  // hidden by start-up and not shown again yet
  Random random;

  // The windows, each created on first use.
  std::unique_ptr<ScreenSaverWindow> screenSaverWindow;
  std::unique_ptr<SetupWindow> setupWindow;

  // The file beside the program: its directory, a backslash and the name.
  std::string PathBesideProgram(const std::string& name) const;
};

}  // namespace tavoria
