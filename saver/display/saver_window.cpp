// The saver window: its controls at creation, Form_Load's layout and ShowPictures.
#include "saver/display/saver_window.h"

#include "saver/failures.h"
#include "saver/startup.h"
#include "util/identity.h"
#include "util/text.h"

namespace tavoria {

namespace {

// Picture boxes are sized to their images: 15 twips a pixel, as the images were drawn at 96 dpi.
constexpr float kTwipsPerImagePixel = 15;

ui::Control Picture(const char* name, const char* image, int widthPixels, int heightPixels) {
  return {.name = name,
          .kind = ui::Kind::Picture,
          .width = widthPixels * kTwipsPerImagePixel,
          .height = heightPixels * kTwipsPerImagePixel,
          .image = image,
          .visible = false};
}

constexpr ui::Colour kRed{255, 0, 0};
constexpr ui::Colour kLightGrey{192, 192, 192};

void AttachHandlers(SaverState& saver, ScreenSaverWindow& w) {
  auto handler = [&saver](void (*procedure)(SaverState&)) {
    return [&saver, procedure] { procedure(saver); };
  };
  ui::Form& form = w.form;
  w.timers = {
      .display = form.AddTimer("displayTimer", 0, false, handler(DisplayTimer_Timer)),
      .credits = form.AddTimer("creditsTimer", kCreditsShownFor, true, handler(CreditsTimer_Timer)),
      .inputArmed =
          form.AddTimer("inputArmedTimer", kInputArmedAfter, true, handler(InputArmedTimer_Timer)),
      .advertPanel = form.AddTimer("advertPanelTimer", kAdvertPanelEvery, true,
                                   handler(AdvertPanelTimer_Timer)),
      .hideAdvertPanel = form.AddTimer("hideAdvertPanelTimer", kAdvertPanelShownFor, false,
                                       handler(HideAdvertPanelTimer_Timer)),
  };
  form.onClick = handler(Form_Click);
  form.onKeyDown = [&saver](int keyCode, int shift) { Form_KeyDown(saver, keyCode, shift); };
  form.onKeyPress = [&saver](int character) { Form_KeyPress(saver, character); };
  form.onMouseMove = [&saver](float x, float y) { Form_MouseMove(saver, x, y); };
  form.onClose = handler(EndOnClose);
  form.onDisplayChange = handler(FollowMonitors);
  form.onFailure = [&saver, &form](std::exception_ptr failure) {
    EndOnFailure(saver, form, failure);
  };
}

}  // namespace

void CreateScreenSaverWindow(SaverState& saver) {
  saver.screenSaverWindow = std::make_unique<ScreenSaverWindow>();
  ScreenSaverWindow& w = *saver.screenSaverWindow;
  auto& form = w.form;
  auto& c = w.controls;
  form.caption = SAVER_WINDOW_TITLE;
  form.back = {0, 0, 0};
  form.popup = form.topmost = true;

  // The opening credits.
  c.creditsPanel = form.Add({.name = "creditsPanel",
                             .kind = ui::Kind::Picture,
                             .width = 4215,
                             .height = 3135,
                             .back = kLightGrey});
  const ui::Control creditLabel{
      .kind = ui::Kind::Label, .container = c.creditsPanel, .transparent = true, .wordWrap = true};
  auto credit = [&](const char* name, const char* placeholder, ui::Colour colour, ui::Font font,
                    ui::Align align, float left, float top, float width, float height) {
    ui::Control label = creditLabel;
    label.name = name;
    label.caption = placeholder;
    label.fore = colour;
    label.font = std::move(font);
    label.align = align;
    label.left = left, label.top = top, label.width = width, label.height = height;
    return form.Add(std::move(label));
  };
  c.presentsLabel = credit("presentsLabel", "SCREENSAVER_COMPANY presents", {0, 0, 0},
                           {"Verdana", 11.25f, true}, ui::Align::Centre, 360, 0, 3615, 615);
  c.productNameLabel = credit("productNameLabel", "SCREENSAVER_NAME", kRed,
                              {"Verdana", 15.75f, true}, ui::Align::Left, 120, 720, 2895, 1455);
  c.versionLabel = credit("versionLabel", "APP_VERSION", kRed, {"Verdana", 26.25f, true},
                          ui::Align::Centre, 3120, 840, 975, 855);
  c.creditLineLabel = credit("creditLineLabel", "CREDIT_LINE", {0, 0, 0}, {"Verdana", 8.25f, false},
                             ui::Align::Centre, 120, 2265, 3975, 735);

  // The cycling text lies on the window's own surface, below the pictures.
  c.jokeLabel = form.Add({.name = "jokeLabel",
                          .kind = ui::Kind::Label,
                          .font = {"Verdana", 12, false},
                          .fore = kLightGrey,
                          .transparent = true,
                          .autoSize = true,
                          .visible = false});

  c.flagPicture = form.Add(Picture("flagPicture", "FLAG", 191, 115));
  c.logoPicture = form.Add(Picture("logoPicture", "CREST", 137, 196));
  c.playerPictures = {form.Add(Picture("player1Picture", "PLAYER1", 178, 166)),
                      form.Add(Picture("player2Picture", "PLAYER2", 178, 166)),
                      form.Add(Picture("player3Picture", "PLAYER3", 174, 166)),
                      form.Add(Picture("player4Picture", "PLAYER4", 178, 166))};

  const AdvertPanels panels = AddAdvertPanels(form);
  c.internetPanel = panels.internet;
  c.landlinePanel = panels.landline;
  c.mobilePanel = panels.mobile;
  AttachHandlers(saver, w);
}

void LoadScreenSaverWindow(SaverState& saver) {
  if (saver.screenSaverWindow) return;
  CreateScreenSaverWindow(saver);
  Form_Load(saver);
}

void Form_Load(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  auto& form = w.form;

  // Maximised: the window covers the whole screen.
  form.maximised = true;
  w.textColours = {0, 4, 7, 7};

  const auto& c = w.controls;
  form[c.productNameLabel].caption = SCREENSAVER_NAME;
  form[c.versionLabel].caption = APP_VERSION;
  form[c.presentsLabel].caption = std::string(SCREENSAVER_COMPANY) + " presents...";
  form[c.creditLineLabel].caption =
      std::string("Copyright (C) 2006 ") + FRIENDLY_URL + text::kCrLf + "Written by Ewan Trelawney";
  LayOutForScreen(saver);
}

void LayOutForScreen(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  auto& form = w.form;
  const auto& c = w.controls;
  const ui::Size screen = saver.sys.ui.ScreenSizeOf(form);
  form.left = form.top = 0;
  form.width = screen.width;
  form.height = screen.height;

  auto& credits = form[c.creditsPanel];
  credits.left = (screen.width - credits.width) / 2;
  credits.top = (screen.height - credits.height) / 2;

  const float margin = screen.height / 20;
  const float gap = screen.width * 5 / 100;
  auto& flag = form[c.flagPicture];
  auto& logo = form[c.logoPicture];
  w.flagIsTaller = flag.height > logo.height;
  if (w.flagIsTaller) {
    flag.top = margin;
    logo.top = margin + (flag.height - logo.height) / 2;
  } else {
    logo.top = margin;
    flag.top = margin + (logo.height - flag.height) / 2;
  }
  flag.left = (screen.width - (logo.width + flag.width + gap)) / 2;
  logo.left = flag.left + flag.width + gap;

  const auto& taller = w.flagIsTaller ? flag : logo;
  const float playersTop = taller.top + taller.height + margin;
  float rowWidth = 3 * gap;
  for (ui::ControlId id : c.playerPictures) {
    form[id].top = playersTop;
    rowWidth += form[id].width;
  }
  float left = (screen.width - rowWidth) / 2;
  for (ui::ControlId id : c.playerPictures) {
    form[id].left = left;
    left += form[id].width + gap;
  }
}

void ShowPictures(SaverState& saver, bool visible) {
  ScreenSaverWindow& w = *saver.screenSaverWindow;
  const auto& c = w.controls;
  for (ui::ControlId id : {c.logoPicture, c.flagPicture, c.playerPictures[0], c.playerPictures[1],
                           c.playerPictures[2], c.playerPictures[3]})
    w.form[id].visible = visible;
}

}  // namespace tavoria
