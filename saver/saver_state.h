// The saver's state: everything its procedures share, created empty when the program starts and
// living until it ends. The settings, the content the display cycle shows, the display's place in
// it, and the two windows.
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

  // What the display cycle shows: the database as the loader returned it, its fixture texts
  // composed again as the days pass; then, after the file's adverts, the program's own, which
  // start-up adds.
  database::LoadedDatabase database;
  std::vector<std::string> builtInAdverts;

  // Display state: the fixture text shown next, counted from 1.
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
