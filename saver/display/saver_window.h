// The full-screen window `screenSaverWindow`: its description, its load and layout, the display
// cycle, the advert panels and the end on user input.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/form.h"
#include "saver/generalcode.h"

namespace tavoria {

struct ScreenSaverWindow {
  ui::Form form;

  // Palette numbers of the display texts' colours; entry 0 exists and is never used.
  std::vector<int> textColours;
  // The pointer position of the previous pointer event, in twips; 0 until the first one.
  float lastMouseX = 0;
  float lastMouseY = 0;
  // Set by Form_Load when the flag is taller than the logo.
  bool flagIsTaller = false;

  // Where the random draws come from: the program's generator unless a test sets a source.
  std::function<float()> drawSource;

  // A plain black window over each monitor besides the primary one, while the saver runs.
  std::vector<std::unique_ptr<ui::Form>> covers;
};

// The cover windows' caption: never the saver window's, which a second start looks for.
inline constexpr const char* kCoverWindowTitle = "Screensaver Cover";

// The smallest font size the width fit goes down to.
inline constexpr float kSmallestTextPoints = 8;

// The window's timings, in milliseconds from its creation or between ticks.
inline constexpr int kCreditsShownFor = 1500;       // Timer2: the credits give way to the display
inline constexpr int kInputArmedAfter = 3600;       // Timer3: input ends the saver from then on
inline constexpr int kAdvertPanelEvery = 60000;     // BigAdTimer: an advert panel once a minute
inline constexpr int kAdvertPanelShownFor = 15000;  // HideBigAd: for this long

// ----- window and layout (saver_window.cpp) ---------------------------------------------------

// Creates screenSaverWindow (once) and runs its Form_Load; start-up then configures and shows it.
void LoadScreenSaverWindow(GeneralCode& g);
// Creates the window's description with every control in its state at creation; no Form_Load.
void CreateScreenSaverWindow(GeneralCode& g);
void Form_Load(GeneralCode& g);
void ShowPictures(GeneralCode& g, bool visible);

// ----- every monitor (cover_windows.cpp) -----------------------------------------------------

// Shows the saver window on the primary monitor and covers every other monitor.
void ShowScreenSaverWindow(GeneralCode& g);
// Closes the cover windows and the saver window.
void CloseScreenSaverWindow(GeneralCode& g);

// ----- display cycle (display_cycle.cpp) ------------------------------------------------------

void Timer1_Timer(GeneralCode& g);
void Timer2_Timer(GeneralCode& g);
void Timer3_Timer(GeneralCode& g);
// One uniform draw r, 0 <= r < 1.
float Rnd(GeneralCode& g);
// Re-seeds the generator from the time of day.
void Randomize(GeneralCode& g);
// A choice among n: floor(r * n) + 1.
int Choose(float r, int n);
// Sizes an auto-size label to its caption in its font.
void AutoSize(GeneralCode& g, ui::Control& label);

// ----- advert panels (advert_panels.cpp) ------------------------------------------------------

// Adds the three advert panels with their contents to the window's description.
void AddAdvertPanels(ui::Form& form);
void BigAdTimer_Timer(GeneralCode& g);
void HideBigAd_Timer(GeneralCode& g);

// ----- input (saver_input.cpp) ----------------------------------------------------------------

void Form_Click(GeneralCode& g);
void Form_KeyDown(GeneralCode& g, int keyCode, int shift);
void Form_KeyPress(GeneralCode& g, int character);
void Form_MouseMove(GeneralCode& g, float x, float y);
// Shows the pointer again and ends the program, once input may end the saver.
void EndSaver(GeneralCode& g);

}  // namespace tavoria
