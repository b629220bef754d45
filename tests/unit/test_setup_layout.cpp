// The settings window's layout: everything inside its container, nothing on top of anything else,
// and every text with room to spare for fonts a little wider than the metric.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "platform/memory/memory_platform.h"
#include "saver/saver_state.h"
#include "saver/setup/setup_window.h"

namespace {

using platform::memory::MemoryPlatform;

constexpr float kPixel = 15;         // twips
constexpr float kRoomFactor = 1.1f;  // Verdana's stand-ins run up to a tenth wider

struct SetupLayoutTest : ::testing::Test {
  MemoryPlatform m;
  tavoria::SaverState saver{m.platform};
  void SetUp() override { tavoria::ShowSetupWindow(saver); }
  ui::Form& Form() { return saver.setupWindow->form; }
  const ui::Control& Named(const std::string& name) {
    for (const ui::Control& c : Form().controls)
      if (c.name == name) return c;
    throw std::out_of_range("no control named " + name);
  }

  float Width(const ui::Font& font, const std::string& text) {
    return m.ui.MeasureText(font, text).width * kRoomFactor;
  }
  float LineHeight(const ui::Font& font) { return m.ui.MeasureText(font, "X").height; }
  // The lines a word-wrapping label breaks its caption into.
  int WrappedLines(const ui::Control& c) {
    std::istringstream words(c.caption);
    std::string word, line;
    int lines = 1;
    while (words >> word) {
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && Width(c.font, longer) > c.width) {
        ++lines;
        line = word;
      } else {
        line = longer;
      }
    }
    return lines;
  }
};

bool Overlap(const ui::Control& a, const ui::Control& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

bool IsOfferPanel(const ui::Control& c) {
  return c.name == "cheapCallsPanel" || c.name == "freeCallsPanel" || c.name == "internetPanel";
}

TEST_F(SetupLayoutTest, FitsOnA1024By768ScreenWithItsFrame) {
  EXPECT_LE(Form().width + 16 * kPixel, 1024 * kPixel);
  EXPECT_LE(Form().height + 40 * kPixel, 768 * kPixel);
}

TEST_F(SetupLayoutTest, EveryControlLiesInsideItsContainer) {
  for (const ui::Control& c : Form().controls) {
    SCOPED_TRACE(c.name);
    const float width = c.container ? Form()[*c.container].width : Form().width;
    const float height = c.container ? Form()[*c.container].height : Form().height;
    EXPECT_GE(c.left, 0);
    EXPECT_GE(c.top, 0);
    EXPECT_LE(c.left + c.width, width);
    EXPECT_LE(c.top + c.height, height);
    if (c.container) {
      const ui::Control& holder = Form()[*c.container];
      EXPECT_TRUE(holder.kind == ui::Kind::Picture || holder.kind == ui::Kind::Frame);
    }
  }
}

TEST_F(SetupLayoutTest, NoTwoControlsInOneContainerOverlap) {
  const auto& controls = Form().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const ui::Control &a = controls[i], &b = controls[j];
      if (a.container != b.container) continue;
      if (IsOfferPanel(a) && IsOfferPanel(b)) {
        // The offer panels share one place, a column along the right-hand edge, full height.
        EXPECT_EQ(std::tie(a.left, a.top, a.width, a.height),
                  std::tie(b.left, b.top, b.width, b.height));
        continue;
      }
      EXPECT_FALSE(Overlap(a, b)) << a.name << " overlaps " << b.name;
    }
  }
  const ui::Control& panel = Named("cheapCallsPanel");
  EXPECT_GE(panel.left, Named("settingsFrame").left + Named("settingsFrame").width);
  EXPECT_EQ(panel.top + panel.height + panel.top, Form().height);
}

TEST_F(SetupLayoutTest, EveryTextHasRoom) {
  for (const ui::Control& c : Form().controls) {
    SCOPED_TRACE(c.name);
    std::string caption = c.caption;
    std::erase(caption, '&');  // the accelerator's mark is not drawn
    switch (c.kind) {
      case ui::Kind::Label:
        if (c.wordWrap) {
          EXPECT_LE(WrappedLines(c) * LineHeight(c.font), c.height);
        } else {
          EXPECT_LE(Width(c.font, caption), c.width);
          EXPECT_LE(LineHeight(c.font), c.height);
        }
        break;
      case ui::Kind::Button:
        EXPECT_LE(Width(c.font, caption) + 16 * kPixel, c.width);
        EXPECT_LE(LineHeight(c.font) + 8 * kPixel, c.height);
        break;
      case ui::Kind::Frame:
        EXPECT_LE(Width(c.font, caption) + 24 * kPixel, c.width);
        break;
      case ui::Kind::TextBox:
        EXPECT_LE(Width(c.font, "30.5") + 8 * kPixel, c.width);
        EXPECT_LE(LineHeight(c.font) + 4 * kPixel, c.height);
        break;
      case ui::Kind::Picture:
        break;
    }
  }
}

TEST_F(SetupLayoutTest, EveryTextIsInVerdana) {
  for (const ui::Control& c : Form().controls) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.font.name, "Verdana");
  }
}

TEST_F(SetupLayoutTest, ControlsSitInTheirContainers) {
  const std::pair<const char*, const char*> placed[] = {{"partnerLogo", "partnerPanel"},
                                                        {"partnerQuestion", "partnerPanel"},
                                                        {"partnerRequest", "partnerPanel"},
                                                        {"delayPrompt", "settingsFrame"},
                                                        {"delayBox", "settingsFrame"},
                                                        {"delayHelp", "settingsFrame"},
                                                        {"webFeaturesFrame", "settingsFrame"},
                                                        {"upgradeButton", "webFeaturesFrame"},
                                                        {"footballSiteButton", "webFeaturesFrame"},
                                                        {"okButton", ""},
                                                        {"cancelButton", ""},
                                                        {"cheapCallsLink", "cheapCallsPanel"},
                                                        {"freeCallsLink", "freeCallsPanel"},
                                                        {"internetLink", "internetPanel"},
                                                        {"installButton", "internetPanel"}};
  for (const auto& [name, container] : placed) {
    const ui::Control& control = Named(name);
    EXPECT_EQ(control.container ? Form()[*control.container].name : "", container) << name;
  }
  EXPECT_EQ(Named("settingsFrame").caption, "Screensaver settings");
  EXPECT_EQ(Named("webFeaturesFrame").caption, "Cool Web Features!");
  EXPECT_EQ(Named("partnerLogo").image, "PARTNER_LOGO");
  EXPECT_EQ(Named("delayBox").kind, ui::Kind::TextBox);
  EXPECT_EQ(Named("delayBox").tooltip, "Enter delay in seconds");
}

}  // namespace
