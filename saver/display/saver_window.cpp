// The saver window: its controls at creation, Form_Load's layout and ShowPictures.
#include "saver/display/saver_window.h"

#include "platform/text.h"
#include "saver/failures.h"
#include "saver/identity.h"
#include "saver/startup.h"

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

void AttachHandlers(GeneralCode& g, ui::Form& form) {
  auto handler = [&g](void (*procedure)(GeneralCode&)) {
    return [&g, procedure] { procedure(g); };
  };
  form.AddTimer("Timer1", 0, false, handler(Timer1_Timer));
  form.AddTimer("Timer2", kCreditsShownFor, true, handler(Timer2_Timer));
  form.AddTimer("Timer3", kInputArmedAfter, true, handler(Timer3_Timer));
  form.AddTimer("BigAdTimer", kAdvertPanelEvery, true, handler(BigAdTimer_Timer));
  form.AddTimer("HideBigAd", kAdvertPanelShownFor, false, handler(HideBigAd_Timer));
  form.onClick = handler(Form_Click);
  form.onKeyDown = [&g](int keyCode, int shift) { Form_KeyDown(g, keyCode, shift); };
  form.onKeyPress = [&g](int character) { Form_KeyPress(g, character); };
  form.onMouseMove = [&g](float x, float y) { Form_MouseMove(g, x, y); };
  // Closed by the system rather than by input (the session ends, Alt+F4 before input counts):
  // the pointer comes back all the same.
  form.onClose = [&g] { RestoreMousePointer(g); };
  form.onFailure = [&g, &form](std::exception_ptr failure) { EndOnFailure(g, form, failure); };
}

}  // namespace

void CreateScreenSaverWindow(GeneralCode& g) {
  g.screenSaverWindow = std::make_unique<ScreenSaverWindow>();
  auto& form = g.screenSaverWindow->form;
  form.caption = SAVER_WINDOW_TITLE;
  form.back = {0, 0, 0};
  form.popup = form.topmost = true;

  // The opening credits.
  form.Add({.name = "Picture1",
            .kind = ui::Kind::Picture,
            .width = 4215,
            .height = 3135,
            .back = kLightGrey});
  const ui::Control creditLabel{
      .kind = ui::Kind::Label, .container = "Picture1", .transparent = true, .wordWrap = true};
  auto credit = [&](const char* name, const char* placeholder, ui::Colour colour, ui::Font font,
                    ui::Align align, float left, float top, float width, float height) {
    ui::Control c = creditLabel;
    c.name = name;
    c.caption = placeholder;
    c.fore = colour;
    c.font = std::move(font);
    c.align = align;
    c.left = left, c.top = top, c.width = width, c.height = height;
    form.Add(std::move(c));
  };
  credit("Label5", "SCREENSAVER_COMPANY presents", {0, 0, 0}, {"Verdana", 11.25f, true},
         ui::Align::Centre, 360, 0, 3615, 615);
  credit("Label3", "SCREENSAVER_NAME", kRed, {"Verdana", 15.75f, true}, ui::Align::Left, 120, 720,
         2895, 1455);
  credit("Label4", "APP_VERSION", kRed, {"Verdana", 26.25f, true}, ui::Align::Centre, 3120, 840,
         975, 855);
  credit("Label10", "CREDIT_LINE", {0, 0, 0}, {"Verdana", 8.25f, false}, ui::Align::Centre, 120,
         2265, 3975, 735);

  // The cycling text lies on the window's own surface, below the pictures.
  form.Add({.name = "jokeLabel",
            .kind = ui::Kind::Label,
            .font = {"Verdana", 12, false},
            .fore = kLightGrey,
            .transparent = true,
            .autoSize = true,
            .visible = false});
  form.Add({.name = "labelxx", .kind = ui::Kind::Label, .visible = false});

  form.Add(Picture("PicFlag", "FLAG", 191, 115));
  form.Add(Picture("PicLogo", "CREST", 137, 196));
  form.Add(Picture("PicPlayer1", "PLAYER1", 178, 166));
  form.Add(Picture("PicPlayer2", "PLAYER2", 178, 166));
  form.Add(Picture("PicPlayer3", "PLAYER3", 174, 166));
  form.Add(Picture("PicPlayer4", "PLAYER4", 178, 166));

  AddAdvertPanels(form);
  AttachHandlers(g, form);
}

void LoadScreenSaverWindow(GeneralCode& g) {
  if (g.screenSaverWindow) return;
  CreateScreenSaverWindow(g);
  Form_Load(g);
}

void Form_Load(GeneralCode& g) {
  auto& w = *g.screenSaverWindow;
  auto& form = w.form;
  const ui::Size screen = g.sys.ui.ScreenSize();

  // Maximised: the window covers the whole screen.
  form.maximised = true;
  form.left = form.top = 0;
  form.width = screen.width;
  form.height = screen.height;

  w.textColours = {0, 4, 7, 7};

  form["Label3"].caption = SCREENSAVER_NAME;
  form["Label4"].caption = APP_VERSION;
  form["Label5"].caption = std::string(SCREENSAVER_COMPANY) + " presents...";
  form["Label10"].caption =
      std::string("Copyright (C) 2006 ") + FRIENDLY_URL + text::kCrLf + "Written by Ewan Trelawney";

  auto& credits = form["Picture1"];
  credits.left = (screen.width - credits.width) / 2;
  credits.top = (screen.height - credits.height) / 2;

  const float margin = screen.height / 20;
  const float gap = screen.width * 5 / 100;
  auto& flag = form["PicFlag"];
  auto& logo = form["PicLogo"];
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
  ui::Control* players[] = {&form["PicPlayer1"], &form["PicPlayer2"], &form["PicPlayer3"],
                            &form["PicPlayer4"]};
  float rowWidth = 3 * gap;
  for (auto* player : players) {
    player->top = playersTop;
    rowWidth += player->width;
  }
  float left = (screen.width - rowWidth) / 2;
  for (auto* player : players) {
    player->left = left;
    left += player->width + gap;
  }
}

void ShowPictures(GeneralCode& g, bool visible) {
  auto& form = g.screenSaverWindow->form;
  for (const char* name :
       {"PicLogo", "PicFlag", "PicPlayer1", "PicPlayer2", "PicPlayer3", "PicPlayer4"})
    form[name].visible = visible;
}

}  // namespace tavoria
