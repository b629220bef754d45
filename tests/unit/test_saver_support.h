// The saver window on the in-memory platform, started as start-up starts it, with content
// the tests choose and random draws the tests can script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/memory/memory_platform.h"
#include "saver/display/saver_window.h"
#include "saver/startup.h"

namespace saver_test {

struct SaverTest : ::testing::Test {
  platform::memory::MemoryPlatform m;
  tavoria::SaverState saver{m.platform};
  // Draws handed out before the generator's own; each draw also records when it was made.
  std::deque<float> script;
  std::vector<std::int64_t> drawTimes;

  SaverTest() {
    saver.database.fixtures.texts = {"F1", "F2", "F3"};
    saver.database.trivia = {"T1", "T2", "T3", "End Trivia"};
    saver.database.adverts = {"A1", "A2", "End Ads"};
  }

  // The full-screen start-up once the lists are loaded and the delay read, as the program runs it.
  void Open(const std::string& delay = "7") {
    saver.delaySetting = delay;
    m.ui.Run([&] { tavoria::StartScreenSaver(saver); });
    ASSERT_TRUE(saver.screenSaverWindow);
    Scripted();
  }

  // The program's own adverts, which start-up adds after the file's: 1 to 3.
  std::string BuiltIn(int n) const {
    return saver.builtInAdverts.at(static_cast<std::size_t>(n - 1));
  }

  void Scripted() {
    saver.screenSaverWindow->drawSource = [this] {
      drawTimes.push_back(m.ui.Now());
      if (script.empty()) return saver.random.Next();
      const float r = script.front();
      script.pop_front();
      return r;
    };
  }

  ui::Form& form() { return saver.screenSaverWindow->form; }
  const tavoria::ScreenSaverWindow::Controls& c() const {
    return saver.screenSaverWindow->controls;
  }
  const tavoria::ScreenSaverWindow::Timers& t() const { return saver.screenSaverWindow->timers; }
  ui::Control& joke() { return form()[c().jokeLabel]; }

  // One display step with these first draws; the draws after them (colour, font, size,
  // position) are 0 unless given.
  std::string Step(std::vector<float> draws) {
    script.assign(draws.begin(), draws.end());
    for (int i = 0; i < 8; ++i) script.push_back(0);
    m.ui.Run([&] { tavoria::DisplayTimer_Timer(saver); });
    script.clear();
    return joke().caption;
  }

  // A draw that gives `choice` out of n, halfway inside its band.
  static float Pick(int choice, int n) { return (static_cast<float>(choice) - 0.5f) / n; }
};

}  // namespace saver_test
