// The display cycle: one text at a time in jokeLabel, in the bottom quarter of the screen, and the
// opening phase that starts it.
#include <cmath>
#include <span>
#include <string>

#include "saver/data/fixtures.h"
#include "saver/display/saver_window.h"
#include "util/identity.h"
#include "util/text.h"

namespace tavoria {

namespace {

// The display step's draws: each a choice c among a number, 1 to that number, then compared.
constexpr struct DisplayOdds {
  int kinds = 199, advertAbove = 160;        // c > 160: an advert (39 chances in 199); else
  int fixtureOrFact = 49, fixtureFrom = 25;  // c >= 25: the next fixture (25 in 49), else a fact
  int fonts = 10, verdanaFrom = 5;           // c >= 5: Verdana (6 in 10), else Arial
  int weights = 10, boldAbove = 5;           // c > 5: bold (5 in 10)
  int sizes = 15, smallestPoints = 12;       // 12 to 26 points
} kOdds;

const std::string* DrawFrom(SaverState& saver, std::span<const std::string> entries,
                            std::span<const std::string> more = {}) {
  const std::size_t count = entries.size() + more.size();
  if (count == 0) return nullptr;
  const auto k = static_cast<std::size_t>(Choose(Rnd(saver), static_cast<int>(count)) - 1);
  return k < entries.size() ? &entries[k] : &more[k - entries.size()];
}

// The file's adverts, then the built-in ones.
const std::string* DrawAdvert(SaverState& saver) {
  return DrawFrom(saver, saver.database.Adverts(), saver.builtInAdverts);
}

// A team fact; an advert when there are none.
const std::string* DrawTeamFact(SaverState& saver) {
  const auto facts = saver.database.Facts();
  return facts.empty() ? DrawAdvert(saver) : DrawFrom(saver, facts);
}

// The next fixture in order, wrapping; a team fact when there are none.
const std::string* NextFixture(SaverState& saver) {
  const auto& fixtures = saver.database.fixtures.texts;
  const int count = static_cast<int>(fixtures.size());
  if (count < 1) return DrawTeamFact(saver);
  if (saver.nextFixtureIndex < 1 || saver.nextFixtureIndex > count) saver.nextFixtureIndex = 1;
  const std::string* text = &fixtures[static_cast<std::size_t>(saver.nextFixtureIndex - 1)];
  saver.nextFixtureIndex = static_cast<std::int16_t>(saver.nextFixtureIndex + 1);
  if (saver.nextFixtureIndex > count) saver.nextFixtureIndex = 1;
  return text;
}

std::string ChooseText(SaverState& saver) {
  const std::string* text = nullptr;
  if (Choose(Rnd(saver), kOdds.kinds) > kOdds.advertAbove) {
    text = DrawAdvert(saver);
    if (!text) text = DrawTeamFact(saver);
  } else {
    text = Choose(Rnd(saver), kOdds.fixtureOrFact) >= kOdds.fixtureFrom ? NextFixture(saver)
                                                                        : DrawTeamFact(saver);
  }
  if (!text && !saver.database.fixtures.texts.empty()) text = NextFixture(saver);
  return text ? *text : std::string(SCREENSAVER_NAME);
}

// The height of a text wrapped at word boundaries to a width, as the label draws it: each line
// takes as many words as fit; a word wider than the width stands on a line of its own.
float WrappedHeight(SaverState& saver, const ui::Font& font, const std::string& text, float width) {
  std::string wrapped;
  for (const std::string& line : text::SplitLines(text)) {
    std::string current;
    std::size_t start = 0;
    while (start <= line.size()) {
      std::size_t end = line.find(' ', start);
      if (end == std::string::npos) end = line.size();
      const std::string word = line.substr(start, end - start);
      const std::string candidate = current.empty() ? word : current + " " + word;
      if (!current.empty() && saver.sys.ui.MeasureText(font, candidate).width > width) {
        wrapped += current + "\n";
        current = word;
      } else {
        current = candidate;
      }
      start = end + 1;
    }
    wrapped += current + "\n";
  }
  wrapped.pop_back();
  return saver.sys.ui.MeasureText(font, wrapped).height;
}

// Smaller sizes until the text is narrower than the window, down to the smallest size; a text
// still too wide there wraps at word boundaries to the window's width.
void FitWidth(SaverState& saver, ui::Control& label, float windowWidth) {
  while (label.width >= windowWidth && label.font.points > kSmallestTextPoints) {
    label.font.points -= 1;
    AutoSize(saver, label);
  }
  if (label.width >= windowWidth) {
    label.wordWrap = true;
    label.width = windowWidth;
    label.height = WrappedHeight(saver, label.font, label.caption, windowWidth);
  }
}

}  // namespace

float Rnd(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  return w.drawSource ? w.drawSource() : saver.random.Next();
}

void Randomize(SaverState& saver) {
  saver.random.Reseed(saver.sys.clock.SecondsSinceMidnight());
}

int Choose(float r, int n) {
  // In double precision the product of a draw below 1 and n stays below n.
  return static_cast<int>(std::floor(static_cast<double>(r) * n)) + 1;
}

void AutoSize(SaverState& saver, ui::Control& label) {
  const ui::Size size = saver.sys.ui.MeasureText(label.font, label.caption);
  label.width = size.width;
  label.height = size.height;
}

void DisplayTimer_Timer(SaverState& saver) {
  // Not every change of the monitors is announced: each step looks at them too.
  FollowMonitors(saver);
  auto& w = *saver.screenSaverWindow;
  auto& form = w.form;
  auto& jokeLabel = form[w.controls.jokeLabel];
  const ui::Size screen = saver.sys.ui.ScreenSizeOf(form);

  jokeLabel.visible = false;
  BringFixturesUpToDate(saver);
  Randomize(saver);
  const std::string text = ChooseText(saver);
  Randomize(saver);
  const int colours = static_cast<int>(w.textColours.size()) - 1;
  const int c = Choose(Rnd(saver), colours);

  jokeLabel.caption = text;
  jokeLabel.fore = ui::PaletteColour(w.textColours[static_cast<std::size_t>(c)]);
  jokeLabel.font.name = Choose(Rnd(saver), kOdds.fonts) >= kOdds.verdanaFrom ? "Verdana" : "Arial";
  jokeLabel.font.bold = Choose(Rnd(saver), kOdds.weights) > kOdds.boldAbove;
  jokeLabel.font.points =
      static_cast<float>(Choose(Rnd(saver), kOdds.sizes) - 1 + kOdds.smallestPoints);
  jokeLabel.wordWrap = false;
  AutoSize(saver, jokeLabel);
  FitWidth(saver, jokeLabel, form.width);

  const float q = screen.height / 4;
  jokeLabel.left = static_cast<float>(
      std::floor(static_cast<double>(form.width - jokeLabel.width + 1) * Rnd(saver)));
  jokeLabel.top =
      (screen.height - q) +
      static_cast<float>(std::floor(static_cast<double>(q - jokeLabel.height) * Rnd(saver)));
  jokeLabel.visible = true;
}

void CreditsTimer_Timer(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  w.form[w.controls.creditsPanel].visible = false;
  w.form[w.timers.display].SetEnabled(true);
  ShowPictures(saver, true);
  DisplayTimer_Timer(saver);
}

void InputArmedTimer_Timer(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  w.inputArmed = true;
  w.form[w.timers.inputArmed].SetEnabled(false);
  w.form[w.timers.credits].SetEnabled(false);
}

}  // namespace tavoria
