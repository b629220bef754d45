// The saver's state: everything its procedures share, created empty when the program starts and
// living until it ends. The settings, the content lists the display cycle shows, the display's
// place in them, and the two windows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "database/loader.h"
#include "platform/platform.h"
#include "saver/random.h"

namespace tavoria {

struct ScreenSaverWindow;  // saver/display/saver_window.h
struct SetupWindow;        // saver/setup/setup_window.h

// The switches that pick the mode when the switches file names none.
inline constexpr const char* kDefaultSaverSwitch = "/s";
inline constexpr const char* kDefaultSetupSwitch = "/c";
// The delay, in seconds, when the settings file names none.
inline constexpr const char* kDefaultDelay = "7";

struct SaverState {
  explicit SaverState(platform::Platform& platform);
  ~SaverState();
  SaverState(const SaverState&) = delete;
  SaverState& operator=(const SaverState&) = delete;

  platform::Platform& sys;

  // Settings.
  std::string delaySetting = kDefaultDelay;
  std::string saverSwitch = kDefaultSaverSwitch;
  std::string setupSwitch = kDefaultSetupSwitch;

  // Content lists. Entry n (counted from 1, as the counts do) is element n - 1.
  std::vector<database::SpecialFixture> specialFixtures;
  std::vector<std::string> fixtures;
  std::vector<std::string> trivia;
  std::vector<std::string> adverts;  // the file's adverts, then the built-in ones
  std::int16_t specialCount = 0;
  std::int16_t fixtureCount = 0;
  std::int16_t triviaCount = 0;
  std::int16_t advertCount = 0;  // the file's adverts only, "End Ads" included

  // What `fixtures` was composed from and for, so it can be composed again while the saver runs.
  struct ShownFixtures {
    database::FixtureRecords records;     // not `complete`: the texts are never composed again
    std::vector<std::size_t> sources;     // for each entry of `fixtures`, as FixtureTexts has them
    std::optional<int> markerEnds;        // the earliest kick-off of a marked fixture
    calendar::Moment composedFor;         // the moment the texts were composed for
    calendar::RegionalSettings regional;  // the regional settings the records were read with
  } shownFixtures;

  // Display state.
  std::int16_t nextFixtureIndex = 0;
  bool pointerHidden = false;  // hidden by start-up and not shown again yet
  Random random;

  // The windows, each created on first use.
  std::unique_ptr<ScreenSaverWindow> screenSaverWindow;
  std::unique_ptr<SetupWindow> setupWindow;

  // The file beside the program: its directory, a backslash and the name.
  platform::SystemName PathBesideProgram(const platform::SystemName& name) const;
};

}  // namespace tavoria
