// The three large advert panels: their contents, and the timers that show one a minute for 15
// seconds in place of the display cycle.
#include <string>

#include "saver/display/saver_window.h"
#include "util/identity.h"

namespace tavoria {

namespace {

constexpr ui::Colour kBlack{0, 0, 0};
constexpr ui::Colour kTitleRed{192, 0, 0};
constexpr ui::Colour kBlue{0, 0, 255};
constexpr ui::Colour kRed{255, 0, 0};

// The panel drawn: a choice x among 99, 1 to 99. Below 30 the internet panel (29 chances in 99),
// from 30 to 60 the landline panel (31 in 99), above 60 the mobile panel (39 in 99).
constexpr struct PanelOdds { int among = 99, landlineFrom = 30, landlineTo = 60; } kPanelOdds;

// The panels' symbols are pictures; the bullets are Wingdings ticks.
constexpr const char* kComputerSymbol = "COMPUTER";
constexpr const char* kTelephoneSymbol = "TELEPHONE";
constexpr const char* kTickBullet = "\xFC";

class PanelBuilder {
 public:
  PanelBuilder(ui::Form& form, const char* panel, ui::Colour back, float height)
      : form_(form),
        name_(panel),
        panel_(form_.Add({.name = panel,
                          .kind = ui::Kind::Picture,
                          .width = 5415,
                          .height = height,
                          .back = back,
                          .visible = false})) {}

  ui::ControlId Panel() const { return panel_; }

  void Text(const std::string& caption, ui::Font font, ui::Colour colour, ui::Align align,
            float left, float top, float width, float height) {
    form_.Add({.name = name_ + "Label" + std::to_string(++count_),
               .kind = ui::Kind::Label,
               .container = panel_,
               .left = left,
               .top = top,
               .width = width,
               .height = height,
               .caption = caption,
               .font = std::move(font),
               .fore = colour,
               .transparent = true,
               .wordWrap = true,
               .align = align});
  }
  // A symbol of 72 x 72 pixels.
  void Symbol(const char* image, float left, float top) {
    form_.Add({.name = name_ + "Symbol",
               .kind = ui::Kind::Picture,
               .container = panel_,
               .left = left,
               .top = top,
               .width = 1080,
               .height = 1080,
               .image = image});
  }
  void Title(const std::string& caption, float points, float left, float top, float width,
             float height) {
    Text(caption, {"Verdana", points, true}, kTitleRed, ui::Align::Centre, left, top, width,
         height);
  }
  void Body(const std::string& caption, float points, bool bold, float top, float height,
            ui::Colour colour = kBlack) {
    Text(caption, {"Verdana", points, bold}, colour, ui::Align::Centre, 120, top, 5175, height);
  }
  void Bullet(const std::string& caption, float top, float height) {
    Text(kTickBullet, {"Wingdings", 12}, kTitleRed, ui::Align::Left, 300, top, 345, 375);
    Text(caption, {"Verdana", 9.75f}, kBlack, ui::Align::Left, 720, top, 4515, height);
  }
  void Step(const std::string& number, const std::string& caption, float top, float height) {
    Text(number, {"Verdana", 12, true}, kTitleRed, ui::Align::Left, 300, top, 375, 375);
    Text(caption, {"Verdana", 9.75f}, kBlack, ui::Align::Left, 720, top, 4515, height);
  }

 private:
  ui::Form& form_;
  std::string name_;
  ui::ControlId panel_;
  int count_ = 0;
};

ui::ControlId AddInternetPanel(ui::Form& form) {
  PanelBuilder p(form, "internetPanel", {128, 255, 128}, 6735);
  p.Symbol(kComputerSymbol, 120, 120);
  p.Title("Local-rate, pay-as-you-go internet access", 14, 1260, 240, 4035, 1005);
  p.Body("Do you pay for your internet access by the minute?", 11.25f, true, 1335, 615);
  p.Body(std::string("Then switch to Fenmoor Internet Access: no subscription, no contract, and "
                     "you pay only while you are online."),
         9.75f, false, 2010, 735);
  p.Bullet("Fast and reliable connections", 2880, 375);
  p.Bullet("Set up in 3 minutes, with no forms to fill in", 3300, 495);
  p.Bullet("Friendly help on a national-rate support line", 3840, 495);
  p.Bullet("Local-rate access from just 1p per minute", 4380, 495);
  p.Bullet("Every minute online helps fund new versions of this screensaver", 4920, 495);
  p.Body(
      std::string("To join, press \"Install Fenmoor Internet now!\" in the screensaver's settings, "
                  "or sign up at ") +
          FRIENDLY_URL,
      9.75f, true, 5580, 975);
  return p.Panel();
}

ui::ControlId AddLandlinePanel(ui::Form& form) {
  PanelBuilder p(form, "landlinePanel", {255, 255, 0}, 6735);
  p.Symbol(kTelephoneSymbol, 120, 120);
  p.Title("Cheap international calls from your home phone", 14, 1260, 240, 4035, 1005);
  p.Body(std::string("Call most of Europe, the USA, Canada, Australia and New Zealand for the "
                     "price of a national call, from any ordinary landline."),
         9.75f, false, 1335, 735);
  p.Text("No credit card", {"Verdana", 9.75f, true}, kBlue, ui::Align::Centre, 120, 2175, 1815,
         255);
  p.Text("No account", {"Verdana", 9.75f, true}, kBlue, ui::Align::Centre, 1935, 2175, 1545, 255);
  p.Text("No bill", {"Verdana", 9.75f, true}, kBlue, ui::Align::Centre, 3480, 2175, 1815, 255);
  p.Step("1", "Dial the access number below.", 2640, 375);
  p.Step("2", "When you hear the tone, dial the number you want, starting with 00.", 3060, 495);
  p.Step("3", "Press # and talk: your phone company charges a national call.", 3600, 495);
  p.Text("0113 496 0742", {"Verdana", 20.25f, true}, kBlack, ui::Align::Centre, 120, 4200, 5175,
         555);
  p.Body("Rates and the full list of countries:", 9.75f, false, 4860, 255);
  p.Body(HOMEPAGE_URL, 9.75f, true, 5130, 255, kBlue);
  p.Body("Visit us today and start saving on every call abroad!", 11.25f, true, 5580, 615);
  return p.Panel();
}

ui::ControlId AddMobilePanel(ui::Form& form) {
  PanelBuilder p(form, "mobilePanel", {128, 255, 255}, 7095);
  p.Title("FREE international calls", 18, 120, 180, 5175, 495);
  p.Title("from your pay-monthly mobile", 11.25f, 120, 675, 5175, 315);
  p.Body(std::string("Your monthly plan includes minutes to any UK network. Use them to call "
                     "friends and family abroad at no extra cost."),
         9.75f, false, 1140, 975);
  p.Step("1", "From your mobile, dial 0113 496 0158.", 2220, 375);
  p.Step("2", "When you hear the tone, dial the number abroad, starting with 00, then press #.",
         2640, 735);
  p.Step("3", "Talk for as long as your inclusive minutes last.", 3420, 495);
  p.Text("0113 496 0158", {"Verdana", 20.25f, true}, kBlack, ui::Align::Centre, 120, 4020, 5175,
         555);
  p.Body(std::string("See ") + FRIENDLY_URL + " for the countries you can call", 9.75f, true, 4740,
         735, kRed);
  p.Body(std::string("* Calls are free only while they are within your plan's inclusive minutes "
                     "to UK landline numbers. Calls beyond them, and calls from pay-as-you-go "
                     "phones, are charged at your network's standard rate for 01 numbers."),
         8.25f, false, 5700, 1215);
  return p.Panel();
}

}  // namespace

AdvertPanels AddAdvertPanels(ui::Form& form) {
  AdvertPanels panels;
  panels.landline = AddLandlinePanel(form);
  panels.internet = AddInternetPanel(form);
  panels.mobile = AddMobilePanel(form);
  return panels;
}

void AdvertPanelTimer_Timer(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  auto& form = w.form;
  const auto& c = w.controls;
  form[w.timers.display].SetEnabled(false);
  form[c.jokeLabel].visible = false;
  ShowPictures(saver, false);
  const int x = Choose(Rnd(saver), kPanelOdds.among);
  auto& panel = form[x < kPanelOdds.landlineFrom  ? c.internetPanel
                     : x <= kPanelOdds.landlineTo ? c.landlinePanel
                                                  : c.mobilePanel];
  panel.visible = true;
  const ui::Size screen = saver.sys.ui.ScreenSizeOf(form);
  panel.left = (screen.width - panel.width) / 2;
  panel.top = (screen.height - panel.height) / 2;
  form[w.timers.hideAdvertPanel].SetEnabled(true);
}

void HideAdvertPanelTimer_Timer(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  auto& form = w.form;
  const auto& c = w.controls;
  for (ui::ControlId panel : {c.landlinePanel, c.internetPanel, c.mobilePanel})
    form[panel].visible = false;
  form[c.jokeLabel].visible = true;
  form[w.timers.hideAdvertPanel].SetEnabled(false);
  form[w.timers.display].SetEnabled(true);
  ShowPictures(saver, true);
  DisplayTimer_Timer(saver);
}

}  // namespace tavoria
