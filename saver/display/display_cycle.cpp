// The display cycle: one text at a time in jokeLabel, in the bottom quarter of the screen, and the
// opening phase that starts it.
#include <cmath>
#include <string>

#include "platform/text.h"
#include "saver/data/fixtures.h"
#include "saver/display/saver_window.h"
#include "saver/identity.h"

namespace tavoria {

namespace {

// The entries of a list that a draw may pick: every entry but the section's terminator, which is
// the last counted entry (`counted`) when the section was read to its end.
std::vector<const std::string*> Drawable(const std::vector<std::string>& list, int counted,
                                         const char* terminator) {
  std::vector<const std::string*> entries;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const bool isTerminator = static_cast<int>(i) + 1 == counted && list[i] == terminator;
    if (!isTerminator) entries.push_back(&list[i]);
  }
  return entries;
}

const std::string* DrawFrom(GeneralCode& g, const std::vector<const std::string*>& entries) {
  if (entries.empty()) return nullptr;
  return entries[static_cast<std::size_t>(Choose(Rnd(g), static_cast<int>(entries.size())) - 1)];
}

// The file's adverts without "End Ads", then the built-in ones.
const std::string* DrawAdvert(GeneralCode& g) {
  return DrawFrom(g, Drawable(g.adverts, g.advertCount, kEndAds));
}

// A team fact; an advert when there are none.
const std::string* DrawTeamFact(GeneralCode& g) {
  const auto facts = Drawable(g.trivia, g.triviaCount, kEndTrivia);
  return facts.empty() ? DrawAdvert(g) : DrawFrom(g, facts);
}

// The next fixture in order, wrapping; a team fact when there are none.
const std::string* NextFixture(GeneralCode& g) {
  const int count = std::min<int>(g.fixtureCount, static_cast<int>(g.fixtures.size()));
  if (count < 1) return DrawTeamFact(g);
  if (g.nextFixtureIndex < 1 || g.nextFixtureIndex > count) g.nextFixtureIndex = 1;
  const std::string* text = &g.fixtures[static_cast<std::size_t>(g.nextFixtureIndex - 1)];
  g.nextFixtureIndex = static_cast<std::int16_t>(g.nextFixtureIndex + 1);
  if (g.nextFixtureIndex > count) g.nextFixtureIndex = 1;
  return text;
}

std::string ChooseText(GeneralCode& g) {
  const std::string* text = nullptr;
  const int a = Choose(Rnd(g), 199);
  if (a > 160) {
    text = DrawAdvert(g);
    if (!text) text = DrawTeamFact(g);
  } else {
    const int b = Choose(Rnd(g), 49);
    text = b >= 25 ? NextFixture(g) : DrawTeamFact(g);
  }
  if (!text && g.fixtureCount > 0) text = NextFixture(g);
  return text ? *text : std::string(SCREENSAVER_NAME);
}

// The height of a text wrapped at word boundaries to a width, as the label draws it: each line
// takes as many words as fit; a word wider than the width stands on a line of its own.
float WrappedHeight(GeneralCode& g, const ui::Font& font, const std::string& text, float width) {
  std::string wrapped;
  for (const std::string& line : text::SplitLines(text)) {
    std::string current;
    std::size_t start = 0;
    while (start <= line.size()) {
      std::size_t end = line.find(' ', start);
      if (end == std::string::npos) end = line.size();
      const std::string word = line.substr(start, end - start);
      const std::string candidate = current.empty() ? word : current + " " + word;
      if (!current.empty() && g.sys.ui.MeasureText(font, candidate).width > width) {
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
  return g.sys.ui.MeasureText(font, wrapped).height;
}

// Smaller sizes until the text is narrower than the window, down to the smallest size; a text
// still too wide there wraps at word boundaries to the window's width.
void FitWidth(GeneralCode& g, ui::Control& label, float windowWidth) {
  while (label.width >= windowWidth && label.font.points > kSmallestTextPoints) {
    label.font.points -= 1;
    AutoSize(g, label);
  }
  if (label.width >= windowWidth) {
    label.wordWrap = true;
    label.width = windowWidth;
    label.height = WrappedHeight(g, label.font, label.caption, windowWidth);
  }
}

}  // namespace

float Rnd(GeneralCode& g) {
  auto& w = *g.screenSaverWindow;
  return w.drawSource ? w.drawSource() : g.random.Next();
}

void Randomize(GeneralCode& g) {
  g.random.Reseed(g.sys.clock.SecondsSinceMidnight());
}

int Choose(float r, int n) {
  // In double precision the product of a draw below 1 and n stays below n.
  return static_cast<int>(std::floor(static_cast<double>(r) * n)) + 1;
}

void AutoSize(GeneralCode& g, ui::Control& label) {
  const ui::Size size = g.sys.ui.MeasureText(label.font, label.caption);
  label.width = size.width;
  label.height = size.height;
}

void Timer1_Timer(GeneralCode& g) {
  auto& w = *g.screenSaverWindow;
  auto& form = w.form;
  auto& jokeLabel = form["jokeLabel"];
  const ui::Size screen = g.sys.ui.ScreenSize();

  jokeLabel.visible = false;
  BringFixturesUpToDate(g);
  Randomize(g);
  const std::string text = ChooseText(g);
  Randomize(g);
  const int colours = static_cast<int>(w.textColours.size()) - 1;
  const int c = Choose(Rnd(g), colours);

  jokeLabel.caption = text;
  jokeLabel.fore = ui::PaletteColour(w.textColours[static_cast<std::size_t>(c)]);
  jokeLabel.font.name = Choose(Rnd(g), 10) >= 5 ? "Verdana" : "Arial";
  jokeLabel.font.bold = Choose(Rnd(g), 10) > 5;
  jokeLabel.font.points = static_cast<float>(Choose(Rnd(g), 15) - 1 + 12);
  jokeLabel.wordWrap = false;
  AutoSize(g, jokeLabel);
  FitWidth(g, jokeLabel, form.width);

  const float q = screen.height / 4;
  jokeLabel.left = static_cast<float>(
      std::floor(static_cast<double>(form.width - jokeLabel.width + 1) * Rnd(g)));
  jokeLabel.top =
      (screen.height - q) +
      static_cast<float>(std::floor(static_cast<double>(q - jokeLabel.height) * Rnd(g)));
  jokeLabel.visible = true;
}

void Timer2_Timer(GeneralCode& g) {
  auto& form = g.screenSaverWindow->form;
  form["Picture1"].visible = false;
  form.timer("Timer1").SetEnabled(true);
  ShowPictures(g, true);
  Timer1_Timer(g);
}

void Timer3_Timer(GeneralCode& g) {
  auto& form = g.screenSaverWindow->form;
  form["labelxx"].caption = "ok";
  form.timer("Timer3").SetEnabled(false);
  form.timer("Timer2").SetEnabled(false);
}

}  // namespace tavoria
