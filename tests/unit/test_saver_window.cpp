// The saver window at creation and after Form_Load: controls, credits and the picture layout.
#include "tests/unit/test_saver_support.h"

namespace {

using saver_test::SaverTest;

struct Box {
  float left, top, width, height;
  bool operator==(const Box&) const = default;
};
Box BoxOf(const ui::Control& c) {
  return {c.left, c.top, c.width, c.height};
}
void PrintTo(const Box& b, std::ostream* os) {
  *os << "(" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << ")";
}

TEST_F(SaverTest, OnA1024By768ScreenThePicturesAreLaidOutAroundTheCentre) {
  Open();
  EXPECT_EQ(BoxOf(form()[c().flagPicture]), (Box{4836, 1183.5f, 2865, 1725}));
  EXPECT_EQ(BoxOf(form()[c().logoPicture]), (Box{8469, 576, 2055, 2940}));
  EXPECT_EQ(BoxOf(form()[c().playerPictures[0]]), (Box{1218, 4092, 2670, 2490}));
  EXPECT_EQ(BoxOf(form()[c().playerPictures[1]]), (Box{4656, 4092, 2670, 2490}));
  EXPECT_EQ(BoxOf(form()[c().playerPictures[2]]), (Box{8094, 4092, 2610, 2490}));
  EXPECT_EQ(BoxOf(form()[c().playerPictures[3]]), (Box{11472, 4092, 2670, 2490}));
  EXPECT_EQ(BoxOf(form()[c().creditsPanel]), (Box{5572.5f, 4192.5f, 4215, 3135}));
  EXPECT_FALSE(saver.screenSaverWindow->flagIsTaller);
}

TEST_F(SaverTest, OnA640By480ScreenThePlayerRowRunsOffBothEdges) {
  m.ui.screen = {9600, 7200};
  Open();
  EXPECT_EQ(form()[c().logoPicture].top, 360);
  EXPECT_EQ(form()[c().playerPictures[0]].top, 3660);
  EXPECT_EQ(form()[c().playerPictures[0]].left, -1230);
  EXPECT_EQ(form()[c().playerPictures[3]].left + form()[c().playerPictures[3]].width, 9600 + 1230);
  EXPECT_EQ(BoxOf(form()[c().creditsPanel]), (Box{2692.5f, 2032.5f, 4215, 3135}));
  EXPECT_EQ(form().width, 9600);
  EXPECT_EQ(form().height, 7200);
}

// The window at a DPI other than the system's, as it opens and as it changes: a laptop signed in
// at 150 % docked to a 100 % monitor, and the scale raised to 150 % without signing out. On a
// screen of 1920 x 1080 pixels the window fills it at its own DPI, with the credits and the
// pictures centred on it and the text in its bottom quarter.
struct WindowDpiTest : SaverTest, ::testing::WithParamInterface<std::pair<int, int>> {
  static ui::Size Screen(int dpi) { return {1920 * 1440.0f / dpi, 1080 * 1440.0f / dpi}; }
  void ExpectLaidOutOn(ui::Size screen) {
    EXPECT_EQ((ui::Size{form().width, form().height}), screen);
    const ui::Control& credits = form()[c().creditsPanel];
    EXPECT_EQ(credits.left * 2 + credits.width, screen.width);
    EXPECT_EQ(credits.top * 2 + credits.height, screen.height);
    const ui::Control &first = form()[c().playerPictures[0]], &last = form()[c().playerPictures[3]];
    EXPECT_FLOAT_EQ(first.left + last.left + last.width, screen.width);
    EXPECT_GE(joke().top, screen.height * 3 / 4);
    EXPECT_LE(joke().top + joke().height, screen.height);
    EXPECT_LE(joke().left + joke().width, screen.width);
  }
};

TEST_P(WindowDpiTest, TheSaverLaysOutAtItsWindowsOwnDpiAsItOpensAndAsItChanges) {
  const auto [systemDpi, windowDpi] = GetParam();
  m.ui.systemDpi = systemDpi;
  m.ui.openingDpi = windowDpi;
  m.ui.screen = Screen(systemDpi);
  Open();
  m.ui.Advance(tavoria::kCreditsShownFor);
  ExpectLaidOutOn(Screen(windowDpi));
  m.ui.ChangeDpi(form(), systemDpi);
  m.ui.Advance(7000);  // the text moves at the next display step
  ExpectLaidOutOn(Screen(systemDpi));
}

INSTANTIATE_TEST_SUITE_P(DockedOrRescaled, WindowDpiTest,
                         ::testing::Values(std::pair{144, 96}, std::pair{96, 144}));

TEST_F(SaverTest, AFlagTallerThanTheLogoSetsTheRowsFromTheFlag) {
  tavoria::CreateScreenSaverWindow(saver);
  form()[c().flagPicture].height = 3540;
  tavoria::Form_Load(saver);
  EXPECT_TRUE(saver.screenSaverWindow->flagIsTaller);
  EXPECT_EQ(form()[c().flagPicture].top, 576);
  EXPECT_EQ(form()[c().logoPicture].top, 576 + 300);
  EXPECT_EQ(form()[c().playerPictures[2]].top, 576 + 3540 + 576);
}

TEST_F(SaverTest, PicturesOfEqualHeightShareTheMarginAsTheirTop) {
  tavoria::CreateScreenSaverWindow(saver);
  form()[c().flagPicture].height = 2940;
  tavoria::Form_Load(saver);
  EXPECT_FALSE(saver.screenSaverWindow->flagIsTaller);
  EXPECT_EQ(form()[c().flagPicture].top, 576);
  EXPECT_EQ(form()[c().logoPicture].top, 576);
  EXPECT_EQ(form()[c().playerPictures[0]].top, 576 + 2940 + 576);
}

TEST_F(SaverTest, AtCreationOnlyTheCreditsShowAndTheTimersStandAsDesigned) {
  Open();
  EXPECT_EQ(form().caption, "Screensaver Main Form");
  EXPECT_TRUE(form().maximised && form().popup && form().topmost);
  EXPECT_EQ(form().back, (ui::Colour{0, 0, 0}));
  std::vector<std::string> shown;
  for (const auto& c : form().controls)
    if (form().Shown(c)) shown.push_back(c.name);
  EXPECT_EQ(shown, (std::vector<std::string>{"creditsPanel", "presentsLabel", "productNameLabel",
                                             "versionLabel", "creditLineLabel"}));
  EXPECT_EQ(form()[c().creditsPanel].back, (ui::Colour{192, 192, 192}));
  EXPECT_EQ(form()[c().productNameLabel].caption, "Tavoria Screensaver");
  EXPECT_EQ(form()[c().versionLabel].caption, "2");
  EXPECT_EQ(form()[c().presentsLabel].caption, "Fenmoor Entertainment UK presents...");
  const std::string credit = form()[c().creditLineLabel].caption;
  EXPECT_NE(credit.find("2006"), std::string::npos);
  EXPECT_NE(credit.find("fenmoor.example/football"), std::string::npos);
  EXPECT_EQ(saver.screenSaverWindow->textColours, (std::vector<int>{0, 4, 7, 7}));

  struct T {
    ui::TimerId id;
    int interval;
    bool enabled;
  };
  for (const T& timer :
       {T{t().display, 7000, false}, T{t().credits, tavoria::kCreditsShownFor, true},
        T{t().inputArmed, tavoria::kInputArmedAfter, true},
        T{t().advertPanel, tavoria::kAdvertPanelEvery, true},
        T{t().hideAdvertPanel, tavoria::kAdvertPanelShownFor, false}}) {
    EXPECT_EQ(form()[timer.id].interval, timer.interval) << form()[timer.id].name;
    EXPECT_EQ(form()[timer.id].enabled, timer.enabled) << form()[timer.id].name;
  }
}

TEST_F(SaverTest, ShowPicturesShowsAndHidesTheSixPictures) {
  Open();
  const ui::ControlId six[] = {c().logoPicture,       c().flagPicture,       c().playerPictures[0],
                               c().playerPictures[1], c().playerPictures[2], c().playerPictures[3]};
  tavoria::ShowPictures(saver, true);
  for (ui::ControlId id : six) EXPECT_TRUE(form()[id].visible) << form()[id].name;
  tavoria::ShowPictures(saver, false);
  for (ui::ControlId id : six) EXPECT_FALSE(form()[id].visible) << form()[id].name;
}

TEST_F(SaverTest, TheAdvertPanelsCarryTheirContent) {
  Open();
  auto texts = [&](ui::ControlId panel) {
    std::string all;
    for (const auto& control : form().controls)
      if (control.container == panel) all += control.caption + "|";
    return all;
  };
  EXPECT_NE(texts(c().landlinePanel).find("0113 496 0"), std::string::npos);
  EXPECT_NE(texts(c().landlinePanel).find("No bill"), std::string::npos);
  EXPECT_NE(texts(c().internetPanel).find("1p per minute"), std::string::npos);
  EXPECT_NE(texts(c().mobilePanel).find("fenmoor.example/football"), std::string::npos);
  EXPECT_EQ(form()[c().mobilePanel].height, 7095);
  EXPECT_EQ(form()[c().landlinePanel].back, (ui::Colour{255, 255, 0}));
  // Every panel label lies inside its panel.
  for (const auto& control : form().controls) {
    if (!control.container || control.container == c().creditsPanel) continue;
    const auto& panel = form()[*control.container];
    EXPECT_LE(control.left + control.width, panel.width) << control.name;
    EXPECT_LE(control.top + control.height, panel.height) << control.name;
  }
}

}  // namespace
