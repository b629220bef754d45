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
  EXPECT_EQ(BoxOf(form()["PicFlag"]), (Box{4836, 1183.5f, 2865, 1725}));
  EXPECT_EQ(BoxOf(form()["PicLogo"]), (Box{8469, 576, 2055, 2940}));
  EXPECT_EQ(BoxOf(form()["PicPlayer1"]), (Box{1218, 4092, 2670, 2490}));
  EXPECT_EQ(BoxOf(form()["PicPlayer2"]), (Box{4656, 4092, 2670, 2490}));
  EXPECT_EQ(BoxOf(form()["PicPlayer3"]), (Box{8094, 4092, 2610, 2490}));
  EXPECT_EQ(BoxOf(form()["PicPlayer4"]), (Box{11472, 4092, 2670, 2490}));
  EXPECT_EQ(BoxOf(form()["Picture1"]), (Box{5572.5f, 4192.5f, 4215, 3135}));
  EXPECT_FALSE(g.screenSaverWindow->flagIsTaller);
}

TEST_F(SaverTest, OnA640By480ScreenThePlayerRowRunsOffBothEdges) {
  m.ui.screen = {9600, 7200};
  Open();
  EXPECT_EQ(form()["PicLogo"].top, 360);
  EXPECT_EQ(form()["PicPlayer1"].top, 3660);
  EXPECT_EQ(form()["PicPlayer1"].left, -1230);
  EXPECT_EQ(form()["PicPlayer4"].left + form()["PicPlayer4"].width, 9600 + 1230);
  EXPECT_EQ(BoxOf(form()["Picture1"]), (Box{2692.5f, 2032.5f, 4215, 3135}));
  EXPECT_EQ(form().width, 9600);
  EXPECT_EQ(form().height, 7200);
}

TEST_F(SaverTest, AFlagTallerThanTheLogoSetsTheRowsFromTheFlag) {
  tavoria::CreateScreenSaverWindow(g);
  form()["PicFlag"].height = 3540;
  tavoria::Form_Load(g);
  EXPECT_TRUE(g.screenSaverWindow->flagIsTaller);
  EXPECT_EQ(form()["PicFlag"].top, 576);
  EXPECT_EQ(form()["PicLogo"].top, 576 + 300);
  EXPECT_EQ(form()["PicPlayer3"].top, 576 + 3540 + 576);
}

TEST_F(SaverTest, PicturesOfEqualHeightShareTheMarginAsTheirTop) {
  tavoria::CreateScreenSaverWindow(g);
  form()["PicFlag"].height = 2940;
  tavoria::Form_Load(g);
  EXPECT_FALSE(g.screenSaverWindow->flagIsTaller);
  EXPECT_EQ(form()["PicFlag"].top, 576);
  EXPECT_EQ(form()["PicLogo"].top, 576);
  EXPECT_EQ(form()["PicPlayer1"].top, 576 + 2940 + 576);
}

TEST_F(SaverTest, AtCreationOnlyTheCreditsShowAndTheTimersStandAsDesigned) {
  Open();
  EXPECT_EQ(form().caption, "Screensaver Main Form");
  EXPECT_TRUE(form().maximised && form().popup && form().topmost);
  EXPECT_EQ(form().back, (ui::Colour{0, 0, 0}));
  std::vector<std::string> shown;
  for (const auto& c : form().controls)
    if (form().Shown(c)) shown.push_back(c.name);
  EXPECT_EQ(shown, (std::vector<std::string>{"Picture1", "Label5", "Label3", "Label4", "Label10"}));
  EXPECT_EQ(form()["Picture1"].back, (ui::Colour{192, 192, 192}));
  EXPECT_EQ(form()["Label3"].caption, "Tavoria Screensaver");
  EXPECT_EQ(form()["Label4"].caption, "2");
  EXPECT_EQ(form()["Label5"].caption, "Fenmoor Entertainment UK presents...");
  const std::string credit = form()["Label10"].caption;
  EXPECT_NE(credit.find("2006"), std::string::npos);
  EXPECT_NE(credit.find("fenmoor.example/football"), std::string::npos);
  EXPECT_EQ(form()["labelxx"].caption, "");
  EXPECT_EQ(g.screenSaverWindow->textColours, (std::vector<int>{0, 4, 7, 7}));

  struct T {
    const char* name;
    int interval;
    bool enabled;
  };
  for (const T& t : {T{"Timer1", 7000, false}, T{"Timer2", tavoria::kCreditsShownFor, true},
                     T{"Timer3", tavoria::kInputArmedAfter, true},
                     T{"BigAdTimer", tavoria::kAdvertPanelEvery, true},
                     T{"HideBigAd", tavoria::kAdvertPanelShownFor, false}}) {
    EXPECT_EQ(form().timer(t.name).interval, t.interval) << t.name;
    EXPECT_EQ(form().timer(t.name).enabled, t.enabled) << t.name;
  }
}

TEST_F(SaverTest, ShowPicturesShowsAndHidesTheSixPictures) {
  Open();
  const char* six[] = {"PicLogo",    "PicFlag",    "PicPlayer1",
                       "PicPlayer2", "PicPlayer3", "PicPlayer4"};
  tavoria::ShowPictures(g, true);
  for (const char* name : six) EXPECT_TRUE(form()[name].visible) << name;
  tavoria::ShowPictures(g, false);
  for (const char* name : six) EXPECT_FALSE(form()[name].visible) << name;
}

TEST_F(SaverTest, TheAdvertPanelsCarryTheirContent) {
  Open();
  auto texts = [&](const std::string& panel) {
    std::string all;
    for (const auto& c : form().controls)
      if (c.container == panel) all += c.caption + "|";
    return all;
  };
  EXPECT_NE(texts("Picture2").find("0113 496 0"), std::string::npos);
  EXPECT_NE(texts("Picture2").find("No bill"), std::string::npos);
  EXPECT_NE(texts("Picture3").find("1p per minute"), std::string::npos);
  EXPECT_NE(texts("Picture4").find("fenmoor.example/football"), std::string::npos);
  EXPECT_EQ(form()["Picture4"].height, 7095);
  EXPECT_EQ(form()["Picture2"].back, (ui::Colour{255, 255, 0}));
  // Every panel label lies inside its panel.
  for (const auto& c : form().controls) {
    if (c.container.empty() || c.container == "Picture1") continue;
    const auto& panel = form()[c.container];
    EXPECT_LE(c.left + c.width, panel.width) << c.name;
    EXPECT_LE(c.top + c.height, panel.height) << c.name;
  }
}

}  // namespace
