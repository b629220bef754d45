// The settings window as the form designer lays it out. Places are given in pixels of a 96 DPI
// screen (15 twips each) and stored in twips. Every text is in Verdana; the room given to each
// text allows for Verdana's wider stand-ins (DejaVu Sans) as well.
#include <string>

#include "saver/identity.h"
#include "saver/setup/setup_window.h"

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

ui::Control Placed(std::string name, ui::Kind kind, std::string container, Place p) {
  ui::Control c;
  c.name = std::move(name);
  c.kind = kind;
  c.container = std::move(container);
  c.left = static_cast<float>(p.left) * kTwipsPerPixel;
  c.top = static_cast<float>(p.top) * kTwipsPerPixel;
  c.width = static_cast<float>(p.width) * kTwipsPerPixel;
  c.height = static_cast<float>(p.height) * kTwipsPerPixel;
  return c;
}

// The builder of one container's contents, all on the container's back colour.
struct Inside {
  ui::Form& form;
  std::string container;
  ui::Colour back;

  ui::Control& Text(const std::string& name, Place p, const std::string& caption,
                    bool bold = false) {
    ui::Control c = Placed(name, ui::Kind::Label, container, p);
    c.caption = caption;
    c.font.bold = bold;
    c.back = back;
    c.wordWrap = true;
    return form.Add(std::move(c));
  }
  ui::Control& Heading(const std::string& name, Place p, const std::string& caption) {
    ui::Control& c = Text(name, p, caption, true);
    c.font.points = 11;
    c.fore = kNavy;
    return c;
  }
  ui::Control& Link(const std::string& name, Place p, const std::string& caption,
                    const std::string& tooltip) {
    ui::Control& c = Text(name, p, caption, true);
    c.font.underline = true;
    c.fore = kLinkBlue;
    c.link = true;
    c.tooltip = tooltip;
    return c;
  }
  ui::Control& Button(const std::string& name, Place p, const std::string& caption,
                      const std::string& tooltip = "") {
    ui::Control c = Placed(name, ui::Kind::Button, container, p);
    c.caption = caption;
    c.tooltip = tooltip;
    return form.Add(std::move(c));
  }
  ui::Control& Panel(const std::string& name, Place p, ui::Colour colour) {
    ui::Control c = Placed(name, ui::Kind::Picture, container, p);
    c.back = colour;
    return form.Add(std::move(c));
  }
  ui::Control& Frame(const std::string& name, Place p, const std::string& caption) {
    ui::Control c = Placed(name, ui::Kind::Frame, container, p);
    c.caption = caption;
    c.back = back;
    return form.Add(std::move(c));
  }
};

std::string Site(const std::string& path) {
  return std::string("Visit ") + MAKER_HOST + path;
}

void DescribeTitleAndPartner(ui::Form& form) {
  Inside window{form, "", kFace};
  ui::Control& title = window.Text("Label1", {8, 6, 300, 32}, "SCREENSAVER_NAME", true);
  title.font.points = 16;
  title.fore = kDarkRed;
  title.wordWrap = false;
  ui::Control& version = window.Text("Label2", {316, 12, 60, 24}, "APP_VERSION", true);
  version.font.points = 12;
  version.wordWrap = false;

  window.Panel("Picture4", {8, 44, 472, 128}, kWhite);
  Inside partner{form, "Picture4", kWhite};
  ui::Control& logo = partner.Panel("Picture5", {8, 8, 120, 60}, kWhite);
  logo.image = "PARTNER_LOGO";
  logo.link = true;
  logo.tooltip = std::string("Click here to visit ") + PARTNER_DOMAIN + " and start shopping!";
  partner.Text("Label19", {140, 8, 324, 18}, std::string("Do you shop at ") + PARTNER_DOMAIN + "?",
               true);
  partner.Text("Label34", {140, 30, 324, 92},
               "If you do, please start your shopping from the logo on the left or from the "
               "Fenmoor Football Zone web site: we earn a small commission on everything you buy, "
               "at no extra cost to you. Please tell your friends, too!");
}

void DescribeSettings(ui::Form& form) {
  Inside window{form, "", kFace};
  window.Frame("Frame2", {8, 182, 472, 240}, "Screensaver settings");
  Inside settings{form, "Frame2", kFace};
  settings.Text("Label5", {12, 22, 448, 16},
                "Enter the delay between each fixture and team fact/trivia:  ");
  ui::Control text = Placed("Text1", ui::Kind::TextBox, "Frame2", {12, 44, 56, 22});
  text.tooltip = "Enter delay in seconds";
  text.back = kWhite;
  form.Add(std::move(text));
  settings.Text("Label6", {80, 42, 380, 46},
                "This is measured in seconds. Enter a number between 2 and 30. Most people "
                "choose 7 seconds.");

  settings.Frame("Frame1", {12, 96, 448, 130}, "Cool Web Features!");
  Inside web{form, "Frame1", kFace};
  web.Button("Command4", {16, 24, 416, 40}, "Check for &upgrades (update fixture list)",
             "Update your fixture list and screensaver");
  web.Button("Command5", {16, 74, 416, 40}, "&Visit Fenmoor Football Zone",
             "Visit Fenmoor for lots of great jokes, screensavers and more");

  window.Button("Command1", {268, 434, 100, 32}, "OK");
  window.Button("Command3", {380, 434, 100, 32}, "Cancel");
}

// The three offer panels share one place along the right-hand edge; one is seen at a time.
constexpr Place kOfferPlace{492, 8, 300, 464};

void DescribeCheapCalls(ui::Form& form) {
  Inside window{form, "", kFace};
  window.Panel("Picture1", kOfferPlace, kCallsYellow);
  Inside p{form, "Picture1", kCallsYellow};
  p.Heading("Label3", {10, 10, 280, 40}, "Cheap International Phone Calls");
  p.Text("Label4", {10, 56, 280, 58},
         "Call abroad to most of Europe, USA, Canada, Australia, New Zealand and more for the "
         "price of a national call.");
  p.Text("Label7", {10, 120, 280, 18}, "No credit card needed!", true);
  p.Text("Label8", {10, 140, 280, 18}, "No account to open!", true);
  p.Text("Label9", {10, 160, 280, 18}, "No bill from us!", true);
  p.Text("Label10", {10, 180, 280, 18}, "Just instant access! ", true);
  p.Text("Label11", {10, 206, 280, 18}, "Here's how it works: ", true);
  p.Text("Label12", {10, 226, 280, 44},
         "1. Dial the access number: 03069 990123 on weekdays, 03069 990124 at weekends.");
  p.Text("Label13", {10, 274, 280, 30}, "2. Dial your international number as normal. ");
  p.Text("Label14", {10, 306, 280, 18}, "3. That's it--you're connected!");
  p.Link("Label15", {10, 336, 280, 36}, Site("/cheapcalls"),
         "Click here to go to the Cheap Calls web site!");
  p.Text("Label16", {10, 374, 280, 32},
         "for full list of countries as well as mobile tips and tricks!");
}

void DescribeFreeCalls(ui::Form& form) {
  Inside window{form, "", kFace};
  window.Panel("Picture2", kOfferPlace, kFreeCallsBlue).visible = false;
  Inside p{form, "Picture2", kFreeCallsBlue};
  p.Heading("Label36", {10, 10, 280, 40}, "Free International Phone Calls");
  p.Text("Label35", {10, 56, 280, 44},
         "Use your free cross network inclusive minutes to make free* calls!");
  p.Text("Label30", {10, 106, 280, 18}, "Here's how easy it is:", true);
  p.Text("Label21", {10, 128, 280, 44},
         "1. From your mobile, dial the free calls access number 03069 990456.");
  p.Text("Label22", {10, 176, 280, 58},
         "2. At the prompt, dial your full international number. Remember not to press 'call' "
         "again.");
  p.Text("Label29", {10, 238, 280, 44}, "3. That's it - it works 24 hours per day, so try it now!");
  p.Text("Label31", {10, 288, 280, 18}, "Don't waste your free minutes!", true);
  p.Link("Label20", {10, 314, 280, 36}, Site("/freecalls"),
         "Click here to find out about free international calls");
  p.Text("Label32", {10, 352, 280, 44},
         "to get full details of the service and sign up to our mailing list");
}

void DescribeInternet(ui::Form& form) {
  Inside window{form, "", kFace};
  window.Panel("Picture3", kOfferPlace, kInternetGreen).visible = false;
  Inside p{form, "Picture3", kInternetGreen};
  p.Heading("Label28", {10, 10, 280, 40}, "Pay-as-you-go Dial-Up Internet Access");
  p.Text("Label27", {10, 56, 280, 72},
         "Please support Fenmoor by using our low-cost, local-rate dial-up Internet access, and "
         "tell your friends about it too!");
  p.Text("Label26", {10, 134, 280, 18}, "No forms to fill in!", true);
  p.Text("Label25", {10, 154, 280, 18}, "Fast, reliable ISP.", true);
  p.Text("Label24", {10, 174, 280, 18}, "National rate tech support.", true);
  p.Text("Label23", {10, 194, 280, 34}, "Only takes 3 minutes to install, very easy!", true);
  p.Link("Label18", {10, 236, 280, 36}, Site("/internet"),
         "Click here to sign up to Fenmoor Internet");
  p.Text("Label17", {10, 276, 280, 58},
         "to sign up to Fenmoor Internet. It only takes 3 minutes! Or just click the button:");
  p.Button("Command2", {10, 344, 280, 34}, "&Install Fenmoor Internet now!",
           "Switch to Fenmoor pay-as-you-go");
}

}  // namespace

void DescribeSetupWindow(ui::Form& form) {
  form.caption = "setupWindow";
  form.back = kFace;
  form.width = 800 * kTwipsPerPixel;
  form.height = 480 * kTwipsPerPixel;
  DescribeTitleAndPartner(form);
  DescribeSettings(form);
  DescribeCheapCalls(form);
  DescribeFreeCalls(form);
  DescribeInternet(form);
}

}  // namespace tavoria
