// The full-screen window `screenSaverWindow`: its description, its load and layout, the display
// cycle, the advert panels and the end on user input.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/form.h"
#include "saver/saver_state.h"

namespace tavoria {

struct ScreenSaverWindow {
  ui::Form form;

  // The controls the procedures change.
  struct Controls {
    ui::ControlId creditsPanel;  // the opening credits, with the next four labels in it
    ui::ControlId productNameLabel, versionLabel, presentsLabel, creditLineLabel;
    ui::ControlId jokeLabel;  // the cycling text, on the window's own surface
    ui::ControlId flagPicture, logoPicture;
    std::array<ui::ControlId, 4> playerPictures;
    ui::ControlId internetPanel, landlinePanel, mobilePanel;  // the advert panels
  } controls;

  struct Timers {
    ui::TimerId display;          // one display step a tick, at the user's delay
    ui::TimerId credits;          // ends the credits and starts the display cycle
    ui::TimerId inputArmed;       // arms input, once
    ui::TimerId advertPanel;      // shows an advert panel
    ui::TimerId hideAdvertPanel;  // hides it again
  } timers;

  // Input ends the saver: set once the opening phase is over.
  bool inputArmed = false;
  // Palette numbers of the display texts' colours; entry 0 exists and is never used.
  std::vector<int> textColours;
  // The pointer position of the previous pointer event, in twips; none before the first.
  std::optional<ui::Point> lastMouse;
  // Set by Form_Load when the flag is taller than the logo.
  bool flagIsTaller = false;

  // Where the random draws come from: the program's generator unless a test sets a source.
  std::function<float()> drawSource;

  // A plain black window over each monitor besides the primary one, while the saver runs; each
  // cover's rectangle is its monitor's as it was when the cover was made.
  std::vector<std::unique_ptr<ui::Form>> covers;
};

// The cover windows' caption: never the saver window's, which a second start looks for.
inline constexpr const char* kCoverWindowTitle = "Screensaver Cover";

// The smallest font size the width fit goes down to.
inline constexpr float kSmallestTextPoints = 8;

// The window's timings, in milliseconds from its creation or between ticks.
inline constexpr int kCreditsShownFor = 1500;       // the credits give way to the display
inline constexpr int kInputArmedAfter = 3600;       // input ends the saver from then on
inline constexpr int kAdvertPanelEvery = 60000;     // an advert panel once a minute
inline constexpr int kAdvertPanelShownFor = 15000;  // for this long

// ----- window and layout (saver_window.cpp) ---------------------------------------------------

// Creates screenSaverWindow (once) and runs its Form_Load; start-up then configures and shows it.
void LoadScreenSaverWindow(SaverState& saver);
// Creates the window's description with every control in its state at creation; no Form_Load.
void CreateScreenSaverWindow(SaverState& saver);
void Form_Load(SaverState& saver);
// Fits the window to its screen's size as it is now, measured at the window's own DPI (the one
// its controls are placed at), and centres the credits and the pictures in it (an advert panel is
// centred as it appears, the text at the next display step).
void LayOutForScreen(SaverState& saver);
void ShowPictures(SaverState& saver, bool visible);

// ----- every monitor (cover_windows.cpp) -----------------------------------------------------

// Shows the saver window on the primary monitor and covers every other monitor.
void ShowScreenSaverWindow(SaverState& saver);
// While the saver window is shown, follows the monitors as they are now: the window fits the
// primary monitor again when its size, or the window's DPI, changed, a monitor without a cover gets
// one and a cover whose monitor went away closes, and the next pointer event only records where the
// pointer is. Nothing happens when nothing changed.
void FollowMonitors(SaverState& saver);
// Closes the cover windows and the saver window.
void CloseScreenSaverWindow(SaverState& saver);
// One of the saver's windows was closed by the system rather than by input (Alt+F4 or "End task"
// before input ends the saver, the session ending): the saver ends all the same, the pointer shown
// again and every window closed (a cover left behind would black out its monitor with nothing left
// to end it).
void EndOnClose(SaverState& saver);

// ----- display cycle (display_cycle.cpp) ------------------------------------------------------

// The display step: the next text in jokeLabel, in a colour, font, size and place of its own.
void DisplayTimer_Timer(SaverState& saver);
// The credits give way to the pictures and the display cycle.
void CreditsTimer_Timer(SaverState& saver);
// From now on input ends the saver.
void InputArmedTimer_Timer(SaverState& saver);
// One uniform draw r, 0 <= r < 1.
float Rnd(SaverState& saver);
// Re-seeds the generator from the time of day.
void Randomize(SaverState& saver);
// A choice among n: floor(r * n) + 1.
int Choose(float r, int n);
// Sizes an auto-size label to its caption in its font.
void AutoSize(SaverState& saver, ui::Control& label);

// ----- advert panels (advert_panels.cpp) ------------------------------------------------------

struct AdvertPanels {
  ui::ControlId internet, landline, mobile;
};
// Adds the three advert panels with their contents to the window's description.
AdvertPanels AddAdvertPanels(ui::Form& form);
// An advert panel in place of the display cycle.
void AdvertPanelTimer_Timer(SaverState& saver);
// The panel goes and the display cycle resumes with a new text.
void HideAdvertPanelTimer_Timer(SaverState& saver);

// ----- input (saver_input.cpp) ----------------------------------------------------------------

void Form_Click(SaverState& saver);
void Form_KeyDown(SaverState& saver, int keyCode, int shift);
void Form_KeyPress(SaverState& saver, int character);
void Form_MouseMove(SaverState& saver, float x, float y);
// Shows the pointer again and ends the program, once input may end the saver.
void EndSaver(SaverState& saver);

}  // namespace tavoria
