// The settings window as the form designer lays it out. Places are given in pixels of a 96 DPI
// screen (15 twips each) and stored in twips. Every text is in Verdana; the room given to each
// text allows for Verdana's wider stand-ins (DejaVu Sans) as well.
#include <optional>
#include <string>

#include "saver/data/settings.h"
#include "saver/links.h"
#include "saver/setup/setup_window.h"
#include "util/identity.h"

namespace tavoria {

namespace {

constexpr float kTwipsPerPixel = 15.0f;

const ui::Colour kFace = ui::PaletteColour(7);
const ui::Colour kWhite = ui::PaletteColour(15);
const ui::Colour kLinkBlue = ui::PaletteColour(9);
const ui::Colour kNavy = ui::PaletteColour(1);
const ui::Colour kDarkRed = ui::PaletteColour(4);
// The partner's panel and the three offer panels, each in a colour of its own.
const ui::Colour kCallsYellow{255, 255, 204};
const ui::Colour kFreeCallsBlue{214, 234, 255};
const ui::Colour kInternetGreen{214, 245, 214};

struct Place {
  int left, top, width, height;  // pixels
};

ui::Control Placed(std::string name, ui::Kind kind, std::optional<ui::ControlId> container,
                   Place p) {
  ui::Control c;
  c.name = std::move(name);
  c.kind = kind;
  c.container = container;
  c.left = static_cast<float>(p.left) * kTwipsPerPixel;
  c.top = static_cast<float>(p.top) * kTwipsPerPixel;
  c.width = static_cast<float>(p.width) * kTwipsPerPixel;
  c.height = static_cast<float>(p.height) * kTwipsPerPixel;
  return c;
}

// The builder of one container's contents, all on the container's back colour.
struct Inside {
  ui::Form& form;
  std::optional<ui::ControlId> container;  // none: the window
  ui::Colour back;

  ui::ControlId Text(const std::string& name, Place p, const std::string& caption,
                     bool bold = false) {
    ui::Control c = Placed(name, ui::Kind::Label, container, p);
    c.caption = caption;
    c.font.bold = bold;
    c.back = back;
    c.wordWrap = true;
    return form.Add(std::move(c));
  }
  ui::ControlId Heading(const std::string& name, Place p, const std::string& caption) {
    const ui::ControlId id = Text(name, p, caption, true);
    form[id].font.points = 11;
    form[id].fore = kNavy;
    return id;
  }
  ui::ControlId Link(const std::string& name, Place p, const std::string& caption,
                     const std::string& tooltip) {
    const ui::ControlId id = Text(name, p, caption, true);
    ui::Control& c = form[id];
    c.font.underline = true;
    c.fore = kLinkBlue;
    c.link = true;
    c.tooltip = tooltip;
    return id;
  }
  ui::ControlId Button(const std::string& name, Place p, const std::string& caption,
                       const std::string& tooltip = "") {
    ui::Control c = Placed(name, ui::Kind::Button, container, p);
    c.caption = caption;
    c.tooltip = tooltip;
    return form.Add(std::move(c));
  }
  ui::ControlId Panel(const std::string& name, Place p, ui::Colour colour) {
    ui::Control c = Placed(name, ui::Kind::Picture, container, p);
    c.back = colour;
    return form.Add(std::move(c));
  }
  ui::ControlId Frame(const std::string& name, Place p, const std::string& caption) {
    ui::Control c = Placed(name, ui::Kind::Frame, container, p);
    c.caption = caption;
    c.back = back;
    return form.Add(std::move(c));
  }
};

void DescribeTitleAndPartner(ui::Form& form, SetupWindow::Controls& c) {
  Inside window{form, std::nullopt, kFace};
  c.titleLabel = window.Text("titleLabel", {8, 6, 300, 32}, "SCREENSAVER_NAME", true);
  form[c.titleLabel].font.points = 16;
  form[c.titleLabel].fore = kDarkRed;
  form[c.titleLabel].wordWrap = false;
  c.versionLabel = window.Text("versionLabel", {316, 12, 60, 24}, "APP_VERSION", true);
  form[c.versionLabel].font.points = 12;
  form[c.versionLabel].wordWrap = false;

  const ui::ControlId panel = window.Panel("partnerPanel", {8, 44, 472, 128}, kWhite);
  Inside partner{form, panel, kWhite};
  c.partnerLogo = partner.Panel("partnerLogo", {8, 8, 120, 60}, kWhite);
  ui::Control& logo = form[c.partnerLogo];
  logo.image = "PARTNER_LOGO";
  logo.link = true;
  logo.tooltip = std::string("Click here to visit ") + PARTNER_DOMAIN + " and start shopping!";
  partner.Text("partnerQuestion", {140, 8, 324, 18},
               std::string("Do you shop at ") + PARTNER_DOMAIN + "?", true);
  partner.Text("partnerRequest", {140, 30, 324, 92},
               "If you do, please start your shopping from the logo on the left or from the "
               "Fenmoor Football Zone web site: we earn a small commission on everything you buy, "
               "at no extra cost to you. Please tell your friends, too!");
}

void DescribeSettings(ui::Form& form, SetupWindow::Controls& c) {
  Inside window{form, std::nullopt, kFace};
  const ui::ControlId frame =
      window.Frame("settingsFrame", {8, 182, 472, 240}, "Screensaver settings");
  Inside settings{form, frame, kFace};
  settings.Text("delayPrompt", {12, 22, 448, 16},
                "Enter the delay between each fixture and team fact/trivia:  ");
  ui::Control text = Placed("delayBox", ui::Kind::TextBox, frame, {12, 44, 56, 22});
  text.tooltip = "Enter delay in seconds";
  text.back = kWhite;
  c.delayBox = form.Add(std::move(text));
  settings.Text("delayHelp", {80, 42, 380, 46},
                "This is measured in seconds. Enter a number " + AcceptedDelays() +
                    ". Most people choose " + kDefaultDelay + " seconds.");

  const ui::ControlId webFrame =
      settings.Frame("webFeaturesFrame", {12, 96, 448, 130}, "Cool Web Features!");
  Inside web{form, webFrame, kFace};
  c.upgradeButton =
      web.Button("upgradeButton", {16, 24, 416, 40}, "Check for &upgrades (update fixture list)",
                 "Update your fixture list and screensaver");
  c.footballSiteButton =
      web.Button("footballSiteButton", {16, 74, 416, 40}, "&Visit Fenmoor Football Zone",
                 "Visit Fenmoor for lots of great jokes, screensavers and more");

  c.okButton = window.Button("okButton", {268, 434, 100, 32}, "OK");
  c.cancelButton = window.Button("cancelButton", {380, 434, 100, 32}, "Cancel");
}

// The three offer panels share one place along the right-hand edge; one is seen at a time.
constexpr Place kOfferPlace{492, 8, 300, 464};

void DescribeCheapCalls(ui::Form& form, SetupWindow::Controls& c) {
  Inside window{form, std::nullopt, kFace};
  c.cheapCallsPanel = window.Panel("cheapCallsPanel", kOfferPlace, kCallsYellow);
  Inside p{form, c.cheapCallsPanel, kCallsYellow};
  p.Heading("cheapCallsHeading", {10, 10, 280, 40}, "Cheap International Phone Calls");
  p.Text("cheapCallsOffer", {10, 56, 280, 58},
         "Call abroad to most of Europe, USA, Canada, Australia, New Zealand and more for the "
         "price of a national call.");
  p.Text("noCreditCard", {10, 120, 280, 18}, "No credit card needed!", true);
  p.Text("noAccount", {10, 140, 280, 18}, "No account to open!", true);
  p.Text("noBill", {10, 160, 280, 18}, "No bill from us!", true);
  p.Text("instantAccess", {10, 180, 280, 18}, "Just instant access! ", true);
  p.Text("cheapCallsHowTo", {10, 206, 280, 18}, "Here's how it works: ", true);
  p.Text("cheapCallsStep1", {10, 226, 280, 44},
         "1. Dial the access number: 03069 990123 on weekdays, 03069 990124 at weekends.");
  p.Text("cheapCallsStep2", {10, 274, 280, 30}, "2. Dial your international number as normal. ");
  p.Text("cheapCallsStep3", {10, 306, 280, 18}, "3. That's it--you're connected!");
  c.cheapCallsLink = p.Link("cheapCallsLink", {10, 336, 280, 36}, VisitText("/cheapcalls"),
                            "Click here to go to the Cheap Calls web site!");
  p.Text("cheapCallsLinkFor", {10, 374, 280, 32},
         "for full list of countries as well as mobile tips and tricks!");
}

void DescribeFreeCalls(ui::Form& form, SetupWindow::Controls& c) {
  Inside window{form, std::nullopt, kFace};
  c.freeCallsPanel = window.Panel("freeCallsPanel", kOfferPlace, kFreeCallsBlue);
  form[c.freeCallsPanel].visible = false;
  Inside p{form, c.freeCallsPanel, kFreeCallsBlue};
  p.Heading("freeCallsHeading", {10, 10, 280, 40}, "Free International Phone Calls");
  p.Text("freeCallsOffer", {10, 56, 280, 44},
         "Use your free cross network inclusive minutes to make free* calls!");
  p.Text("freeCallsHowTo", {10, 106, 280, 18}, "Here's how easy it is:", true);
  p.Text("freeCallsStep1", {10, 128, 280, 44},
         "1. From your mobile, dial the free calls access number 03069 990456.");
  p.Text("freeCallsStep2", {10, 176, 280, 58},
         "2. At the prompt, dial your full international number. Remember not to press 'call' "
         "again.");
  p.Text("freeCallsStep3", {10, 238, 280, 44},
         "3. That's it - it works 24 hours per day, so try it now!");
  p.Text("freeMinutes", {10, 288, 280, 18}, "Don't waste your free minutes!", true);
  c.freeCallsLink = p.Link("freeCallsLink", {10, 314, 280, 36}, VisitText("/freecalls"),
                           "Click here to find out about free international calls");
  p.Text("freeCallsLinkFor", {10, 352, 280, 44},
         "to get full details of the service and sign up to our mailing list");
}

void DescribeInternet(ui::Form& form, SetupWindow::Controls& c) {
  Inside window{form, std::nullopt, kFace};
  c.internetPanel = window.Panel("internetPanel", kOfferPlace, kInternetGreen);
  form[c.internetPanel].visible = false;
  Inside p{form, c.internetPanel, kInternetGreen};
  p.Heading("internetHeading", {10, 10, 280, 40}, "Pay-as-you-go Dial-Up Internet Access");
  p.Text("internetOffer", {10, 56, 280, 72},
         "Please support Fenmoor by using our low-cost, local-rate dial-up Internet access, and "
         "tell your friends about it too!");
  p.Text("noForms", {10, 134, 280, 18}, "No forms to fill in!", true);
  p.Text("reliable", {10, 154, 280, 18}, "Fast, reliable ISP.", true);
  p.Text("support", {10, 174, 280, 18}, "National rate tech support.", true);
  p.Text("quickInstall", {10, 194, 280, 34}, "Only takes 3 minutes to install, very easy!", true);
  c.internetLink = p.Link("internetLink", {10, 236, 280, 36}, VisitText("/internet"),
                          "Click here to sign up to Fenmoor Internet");
  p.Text("internetLinkFor", {10, 276, 280, 58},
         "to sign up to Fenmoor Internet. It only takes 3 minutes! Or just click the button:");
  c.installButton = p.Button("installButton", {10, 344, 280, 34}, "&Install Fenmoor Internet now!",
                             "Switch to Fenmoor pay-as-you-go");
}

}  // namespace

SetupWindow::Controls DescribeSetupWindow(ui::Form& form) {
  SetupWindow::Controls controls;
  form.caption = "setupWindow";
  form.back = kFace;
  form.width = 800 * kTwipsPerPixel;
  form.height = 480 * kTwipsPerPixel;
  DescribeTitleAndPartner(form, controls);
  DescribeSettings(form, controls);
  DescribeCheapCalls(form, controls);
  DescribeFreeCalls(form, controls);
  DescribeInternet(form, controls);
  return controls;
}

}  // namespace tavoria
