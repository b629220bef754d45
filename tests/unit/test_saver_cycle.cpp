// The display cycle and the advert panels: the timeline in virtual time and the draws.
#include <map>
#include <set>

#include "saver/random.h"
#include "tests/unit/test_saver_support.h"

namespace {

using saver_test::SaverTest;

constexpr ui::Colour kDarkRed{128, 0, 0};

// The moments at which the display steps and panel choices drew, once each.
std::vector<std::int64_t> Moments(const std::vector<std::int64_t>& times) {
  std::set<std::int64_t> unique(times.begin(), times.end());
  return {unique.begin(), unique.end()};
}

using Controls = tavoria::ScreenSaverWindow::Controls;
constexpr ui::ControlId Controls::*kPanels[] = {&Controls::landlinePanel, &Controls::internetPanel,
                                                &Controls::mobilePanel};

std::vector<std::string> ShownPanels(const tavoria::ScreenSaverWindow& w) {
  std::vector<std::string> shown;
  for (auto panel : kPanels)
    if (w.form[w.controls.*panel].visible) shown.push_back(w.form[w.controls.*panel].name);
  return shown;
}

TEST_F(SaverTest, TimelineWithADelayOfSeven) {
  m.WriteFile("tavoria_config.ini", "7\r\n");
  m.process.argumentText = "/s";
  m.ui.Run([&] { tavoria::Main(saver); });
  ASSERT_TRUE(m.ui.IsOpen(form()));
  Scripted();

  m.ui.Advance(tavoria::kCreditsShownFor - 1);
  EXPECT_TRUE(form()[c().creditsPanel].visible);
  EXPECT_FALSE(joke().visible);
  EXPECT_FALSE(form()[c().flagPicture].visible);
  EXPECT_TRUE(drawTimes.empty());

  m.ui.Advance(1);  // 1.5 s
  EXPECT_FALSE(form()[c().creditsPanel].visible);
  EXPECT_TRUE(joke().visible);
  EXPECT_TRUE(form().Shown(form()[c().playerPictures[3]]));
  EXPECT_TRUE(form()[t().display].enabled);
  EXPECT_EQ(form()[t().display].interval, 7000);
  EXPECT_EQ(joke().align, ui::Align::Centre);

  // Input is not yet allowed; a movement records the position all the same.
  m.ui.Advance(1000);  // 2.5 s
  m.ui.MouseMove(form(), 100, 100);
  m.ui.MouseMove(form(), 200, 300);
  m.ui.KeyDown(form(), 32, 0);
  m.ui.Click(form());
  m.ui.Advance(tavoria::kInputArmedAfter - 2500 - 1);  // 3.599 s
  m.ui.KeyPress(form(), 'a');
  EXPECT_FALSE(m.ui.ended);

  m.ui.Advance(1);  // 3.6 s: armed
  EXPECT_FALSE(form()[t().credits].enabled);
  EXPECT_FALSE(form()[t().inputArmed].enabled);
  m.ui.MouseMove(form(), 200, 300);  // the recorded position: no movement
  EXPECT_FALSE(m.ui.ended);

  m.ui.Advance(tavoria::kAdvertPanelEvery - tavoria::kInputArmedAfter - 1);  // before the panel
  EXPECT_EQ(Moments(drawTimes), (std::vector<std::int64_t>{1500, 3000, 8500, 15500, 22500, 29500,
                                                           36500, 43500, 50500, 57500}));
  EXPECT_TRUE(ShownPanels(*saver.screenSaverWindow).empty());

  m.ui.Advance(1);  // 60 s
  EXPECT_EQ(ShownPanels(*saver.screenSaverWindow).size(), 1u);
  EXPECT_FALSE(form()[t().display].enabled);
  EXPECT_TRUE(form()[t().hideAdvertPanel].enabled);
  EXPECT_FALSE(joke().visible);
  EXPECT_FALSE(form()[c().logoPicture].visible);

  drawTimes.clear();
  m.ui.Advance(tavoria::kAdvertPanelShownFor);  // 75 s
  EXPECT_TRUE(ShownPanels(*saver.screenSaverWindow).empty());
  EXPECT_TRUE(joke().visible);
  EXPECT_TRUE(form()[c().flagPicture].visible);
  EXPECT_FALSE(form()[t().hideAdvertPanel].enabled);
  EXPECT_TRUE(form()[t().display].enabled);
  EXPECT_EQ(Moments(drawTimes), std::vector<std::int64_t>{75000});

  m.ui.Advance(tavoria::kAdvertPanelEvery - tavoria::kAdvertPanelShownFor - 1);  // before the next
  EXPECT_EQ(Moments(drawTimes),
            (std::vector<std::int64_t>{75000, 82000, 89000, 96000, 103000, 110000, 117000}));
  EXPECT_TRUE(ShownPanels(*saver.screenSaverWindow).empty());
  m.ui.Advance(1);  // 120 s
  EXPECT_EQ(ShownPanels(*saver.screenSaverWindow).size(), 1u);
  EXPECT_FALSE(m.ui.ended);
  m.ui.MouseMove(form(), 200, 301);  // armed since 3.6 s: a real movement ends the saver
  EXPECT_TRUE(m.ui.ended);
}

TEST_F(SaverTest, TimelineWithADelayOfTwoAndAHalf) {
  Open("2.5");
  m.ui.Advance(10000);
  EXPECT_EQ(Moments(drawTimes), (std::vector<std::int64_t>{1500, 3000, 4000, 6500, 9000}));
}

TEST_F(SaverTest, TheKindOfTextAtEachThresholdEdge) {
  Open();
  // a = 160 goes on to the b draw; b = 25 is the next fixture.
  EXPECT_EQ(Step({Pick(160, 199), Pick(25, 49)}), "F1");
  // b = 24 is a team fact.
  EXPECT_EQ(Step({Pick(160, 199), Pick(24, 49), 0}), "T1");
  // a = 161 is an advert.
  EXPECT_EQ(Step({Pick(161, 199), 0}), "A1");
  EXPECT_EQ(Step({Pick(1, 199), Pick(49, 49)}), "F2");
  EXPECT_EQ(Step({Pick(199, 199), 0.9999999f}), BuiltIn(3));
}

TEST_F(SaverTest, FixturesComeInOrderAndWrap) {
  Open();
  saver.nextFixtureIndex = 3;
  EXPECT_EQ(Step({0, Pick(30, 49)}), "F3");
  EXPECT_EQ(saver.nextFixtureIndex, 1);
  EXPECT_EQ(Step({0, Pick(30, 49)}), "F1");
  EXPECT_EQ(saver.nextFixtureIndex, 2);
}

TEST_F(SaverTest, FactAndAdvertDrawsNeverGiveATerminator) {
  Open();
  std::map<std::string, int> facts, adverts;
  for (int i = 0; i < 200; ++i) {
    const float r = static_cast<float>(i) / 200;
    ++facts[Step({0, Pick(1, 49), r})];
    ++adverts[Step({Pick(199, 199), r})];
  }
  EXPECT_EQ(facts, (std::map<std::string, int>{{"T1", 67}, {"T2", 67}, {"T3", 66}}));
  EXPECT_EQ(adverts,
            (std::map<std::string, int>{
                {"A1", 40}, {"A2", 40}, {BuiltIn(1), 40}, {BuiltIn(2), 40}, {BuiltIn(3), 40}}));
}

TEST_F(SaverTest, ASingleStoredMessageIsTheOnlyFact) {
  saver.database.trivia = {"The database is corrupted."};
  Open();
  EXPECT_EQ(Step({0, Pick(1, 49), 0.99f}), "The database is corrupted.");
}

TEST_F(SaverTest, WithNoFixturesAFixtureDrawShowsAFactAndWithNoFactsAnAdvert) {
  saver.database.fixtures.texts.clear();
  Open();
  EXPECT_EQ(Step({0, Pick(49, 49), 0.5f}), "T2");
  saver.database.trivia = {"End Trivia"};
  EXPECT_EQ(Step({0, Pick(49, 49), 0}), "A1");
  EXPECT_EQ(Step({0, Pick(1, 49), 0.9999f}), BuiltIn(3));
}

TEST_F(SaverTest, WithoutAFileAdvertSectionTheBuiltInAdvertsAreDrawn) {
  saver.database.adverts.clear();
  Open();
  EXPECT_EQ(Step({Pick(199, 199), 0}), BuiltIn(1));
  EXPECT_EQ(Step({Pick(199, 199), 0.9999f}), BuiltIn(3));
}

TEST_F(SaverTest, ColourFontWeightAndSizeAtTheirEdges) {
  Open();
  // Draws after the text: colour, font, weight, size, left, top.
  Step({0, Pick(25, 49), Pick(1, 3), Pick(5, 10), Pick(6, 10), 0});
  EXPECT_EQ(joke().fore, kDarkRed);
  EXPECT_EQ(joke().font.name, "Verdana");
  EXPECT_TRUE(joke().font.bold);
  EXPECT_EQ(joke().font.points, 12);
  Step({0, Pick(25, 49), Pick(2, 3), Pick(4, 10), Pick(5, 10), 0.9999999f});
  EXPECT_EQ(joke().fore, (ui::Colour{192, 192, 192}));
  EXPECT_EQ(joke().font.name, "Arial");
  EXPECT_FALSE(joke().font.bold);
  EXPECT_EQ(joke().font.points, 26);
  // The label sizes itself to its text.
  EXPECT_EQ(joke().width, m.ui.MeasureText(joke().font, joke().caption).width);
  EXPECT_EQ(joke().height, m.ui.MeasureText(joke().font, joke().caption).height);
}

TEST_F(SaverTest, DarkRedComesAboutOneTimeInThree) {
  Open();
  saver.screenSaverWindow->drawSource = nullptr;
  int darkRed = 0;
  const int steps = 3000;
  for (int i = 0; i < steps; ++i) {
    m.ui.Run([&] { tavoria::DisplayTimer_Timer(saver); });
    darkRed += joke().fore == kDarkRed;
  }
  EXPECT_NEAR(static_cast<double>(darkRed) / steps, 1.0 / 3, 0.035);
}

TEST_F(SaverTest, TheLabelLiesInTheBottomQuarter) {
  Open();
  Step({0, Pick(25, 49), 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(joke().left, 0);
  EXPECT_EQ(joke().top, 11520 - 2880);
  Step({0, Pick(25, 49), 0, 0, 0, 0, 0.9999999f, 0.9999999f});
  EXPECT_EQ(joke().left, 15360 - joke().width);
  EXPECT_LE(joke().top + joke().height, 11520);
  EXPECT_GT(joke().top + joke().height, 11520 - 20);
}

TEST_F(SaverTest, ATooWideTextShrinksUntilItIsNarrowerThanTheWindow) {
  saver.database.fixtures.texts = {std::string(100, 'x')};
  Open();
  Step({0, Pick(25, 49), 0, 0, 0, 0.9999999f});  // drawn at 26 points
  EXPECT_EQ(joke().font.points, 12);             // 100 characters at 12 points: 14400 twips
  EXPECT_FALSE(joke().wordWrap);
  EXPECT_LT(joke().width, 15360);
}

TEST_F(SaverTest, ATextTooWideAtEightPointsWrapsAtWordsToTheWindowsWidth) {
  std::string words = "word";
  for (int i = 1; i < 40; ++i) words += " word";  // 199 characters: 19104 twips at 8 points
  saver.database.fixtures.texts = {words};
  Open();
  Step({0, Pick(25, 49), 0, 0, 0, 0.5f});
  EXPECT_EQ(joke().font.points, 8);
  EXPECT_TRUE(joke().wordWrap);
  EXPECT_EQ(joke().width, 15360);
  EXPECT_EQ(joke().height, 2 * 8 * 20 * 1.25f);
  EXPECT_EQ(joke().left, 0);
  EXPECT_EQ(joke().caption, words);
  // The next text sizes itself again.
  saver.database.fixtures.texts = {"short"};
  Step({0, Pick(25, 49)});
  EXPECT_FALSE(joke().wordWrap);
  EXPECT_EQ(joke().width, m.ui.MeasureText(joke().font, "short").width);
}

TEST_F(SaverTest, ThePanelAtEachThresholdEdgeIsCentred) {
  Open();
  struct Case {
    int x;
    const char* panel;
  };
  for (const Case& c :
       {Case{1, "internetPanel"}, Case{29, "internetPanel"}, Case{30, "landlinePanel"},
        Case{60, "landlinePanel"}, Case{61, "mobilePanel"}, Case{99, "mobilePanel"}}) {
    script = {Pick(c.x, 99)};
    m.ui.Run([&] { tavoria::AdvertPanelTimer_Timer(saver); });
    ASSERT_EQ(ShownPanels(*saver.screenSaverWindow), std::vector<std::string>{c.panel}) << c.x;
    const auto& panel = *std::find_if(
        form().controls.begin(), form().controls.end(),
        [&](const ui::Control& control) { return control.visible && control.name == c.panel; });
    EXPECT_EQ(panel.left, (15360 - 5415) / 2.0f);
    EXPECT_EQ(panel.top, (11520 - panel.height) / 2);
    m.ui.Run([&] { tavoria::HideAdvertPanelTimer_Timer(saver); });
    EXPECT_TRUE(ShownPanels(*saver.screenSaverWindow).empty());
  }
}

TEST_F(SaverTest, APanelLargerThanTheScreenIsStillCentred) {
  m.ui.screen = {4500, 4500};
  Open();
  script = {0};
  m.ui.Run([&] { tavoria::AdvertPanelTimer_Timer(saver); });
  EXPECT_EQ(form()[c().internetPanel].left, -457.5f);
  EXPECT_EQ(form()[c().internetPanel].top, -1117.5f);
}

TEST_F(SaverTest, PanelsDoNotTouchTheFixturePosition) {
  Open();
  saver.nextFixtureIndex = 2;
  script = {0.5f};
  m.ui.Run([&] { tavoria::AdvertPanelTimer_Timer(saver); });
  EXPECT_EQ(saver.nextFixtureIndex, 2);
}

TEST(SaverRandom, ReseedingWithTheSameOrNearlyTheSameTimeDoesNotRepeatTheDraws) {
  // The two re-seeds of one display step usually see the same clock reading.
  for (const double later : {43200.25, 43200.2500001, 43200.26}) {
    tavoria::Random random;
    random.Reseed(43200.25);
    std::vector<float> first, second;
    for (int i = 0; i < 6; ++i) first.push_back(random.Next());
    random.Reseed(later);
    for (int i = 0; i < 6; ++i) second.push_back(random.Next());
    EXPECT_NE(first, second) << "re-seeded with " << later;
  }
  tavoria::Random random;
  std::vector<float> first;
  for (int i = 0; i < 6; ++i) first.push_back(random.Next());
  for (float r : first) {
    EXPECT_GE(r, 0);
    EXPECT_LT(r, 1);
  }
}

}  // namespace
