#include "saver/setup/setup_window.h"

#include "platform/text.h"
#include "saver/data/database.h"
#include "saver/data/settings.h"
#include "saver/failures.h"
#include "saver/identity.h"
#include "saver/links.h"
#include "saver/setup/delay_text.h"

namespace tavoria {

namespace {

ui::Form& Window(GeneralCode& g) {
  return g.setupWindow->form;
}

std::string Maker() {
  return std::string("http://") + MAKER_HOST;
}

// Every handler runs with the window's state to hand, as the form's own procedures do.
std::function<void()> Handler(GeneralCode& g, void (*procedure)(GeneralCode&)) {
  return [&g, procedure] { procedure(g); };
}

void LoadSetupWindow(GeneralCode& g) {
  g.setupWindow = std::make_unique<SetupWindow>();
  ui::Form& form = Window(g);
  DescribeSetupWindow(form);
  form.onClose = Handler(g, setup::Form_Close);
  form["Command1"].onClick = Handler(g, setup::Command1_Click);
  form["Command2"].onClick = Handler(g, setup::Command2_Click);
  form["Command3"].onClick = Handler(g, setup::Command3_Click);
  form["Command4"].onClick = Handler(g, setup::Command4_Click);
  form["Command5"].onClick = Handler(g, setup::Command5_Click);
  form["Label15"].onClick = Handler(g, setup::Label15_Click);
  form["Label18"].onClick = Handler(g, setup::Label18_Click);
  form["Label20"].onClick = Handler(g, setup::Label20_Click);
  form["Picture5"].onClick = Handler(g, setup::Picture5_Click);
  form.AddTimer("Timer1", kOfferRotation, true, Handler(g, setup::Timer1_Timer));
  form.onFailure = [&g, &form](std::exception_ptr failure) { EndOnFailure(g, form, failure); };
  setup::Form_Load(g);
}

}  // namespace

void ShowSetupWindow(GeneralCode& g) {
  if (!g.setupWindow) LoadSetupWindow(g);
  g.sys.ui.Open(Window(g));
}

namespace setup {

void Form_Load(GeneralCode& g) {
  ui::Form& form = Window(g);
  form.left = 0;
  form.top = 0;
  form["Label1"].caption = SCREENSAVER_NAME;
  form["Label2"].caption = APP_VERSION;
  form.caption = std::string(SCREENSAVER_NAME) + " Setup";
  form["Text1"].caption = g.delaySetting;
}

void Form_Close(GeneralCode&) {
  // Closing the window by its frame is a Cancel: nothing is stored or saved.
}

void Command1_Click(GeneralCode& g) {
  const double delay = LeadingNumber(Window(g)["Text1"].caption);
  if (delay > kLongestDelay || delay < kShortestDelay) {
    g.sys.desktop.ShowMessage(InvalidDelayMessage());
    return;
  }
  g.delaySetting = DecimalText(delay);
  if (!WriteConfig(g, g.delaySetting)) g.sys.desktop.ShowMessage(SettingsNotWrittenMessage());
  g.sys.ui.Close(Window(g));
}

void Command3_Click(GeneralCode& g) {
  g.sys.ui.Close(Window(g));
}

void Command2_Click(GeneralCode& g) {
  if (g.sys.desktop.ShowMessage(InstallQuestion()) != platform::Answer::Yes) return;
  if (!g.sys.shell.StartProgram(g.PathBesideProgram(INSTALLER_FILE)))
    g.sys.desktop.ShowMessage(InstallerNotFoundMessage());
}

void Command4_Click(GeneralCode& g) {
  OpenUrl(g, Maker() + "/football/upgrade.cgi?db=" + std::to_string(GetDatabaseNumber(g)) +
                 "&ss=" + APP_VERSION + "&dn=" + DEVNAME);
}

void Command5_Click(GeneralCode& g) {
  OpenUrl(g, Maker() + "/uk/bounce.cgi?loc=uk&dn=" + DEVNAME);
}

void Label15_Click(GeneralCode& g) {
  OpenTrackedLink(g, "cheapcalls");
}

void Label18_Click(GeneralCode& g) {
  OpenTrackedLink(g, "internet");
}

void Label20_Click(GeneralCode& g) {
  OpenUrl(g, Maker() + "/freecalls/?" + DEVNAME);
}

void Picture5_Click(GeneralCode& g) {
  OpenUrl(g, std::string("http://") + PARTNER_HOST +
                 "/exec/obidos/redirect-home?tag=fenmoor&site=amazon");
}

void Timer1_Timer(GeneralCode& g) {
  ui::Form& form = Window(g);
  bool& one = form["Picture1"].visible;
  bool& two = form["Picture2"].visible;
  bool& three = form["Picture3"].visible;
  if (one) {
    two = true;
    one = three = false;
  } else if (two) {
    three = true;
    one = two = false;
  } else if (three) {
    one = true;
    two = three = false;
  }
}

platform::MessageBoxRequest InvalidDelayMessage() {
  return {SCREENSAVER_NAME,
          "The delay you entered was invalid. Please enter a delay between 2 and 30 seconds.",
          platform::Icon::Exclamation, platform::Buttons::Ok};
}

platform::MessageBoxRequest SettingsNotWrittenMessage() {
  return {std::string(SCREENSAVER_NAME) + ": couldn't open file!",
          text::JoinCrLf(
              {std::string(SCREENSAVER_NAME) + " could not write to the settings file " +
                   CONFIG_FILE + ".",
               "", std::string("Please contact ") + SCREENSAVER_COMPANY + " for support: ", "",
               std::string("Web: ") + HOMEPAGE_URL, std::string("E-mail: ") + SUPPORT_EMAIL}),
          platform::Icon::Exclamation, platform::Buttons::Ok};
}

platform::MessageBoxRequest InstallQuestion() {
  return {"Install Fenmoor Internet?",
          text::JoinCrLf(
              {"Only switch to Fenmoor Internet if you are using pay-as-you-go Internet access "
               "i.e. *NOT* any of the following: ",
               "- BT Anytime ", "- Freeserve Anytime ",
               "- AOL Dialup (with 'no internet call charges')",
               "or any 'anytime', 'unlimited' or 'unmetered' package.", "",
               "Fenmoor Internet (Corravel) will be automatically used in future if you install "
               "it. ",
               "", "Do you want to set up Fenmoor Internet on this computer? ",
               "Installing Fenmoor Internet will take about 20 seconds."}),
          platform::Icon::Question, platform::Buttons::YesNo, true};
}

platform::MessageBoxRequest InstallerNotFoundMessage() {
  return {"Couldn't find the Fenmoor Internet Installer file.",
          text::JoinCrLf({"Could not find the Fenmoor Internet installer file. ", "",
                          "Please go to " + Maker() + "/uk/ and download it. "}),
          platform::Icon::Information, platform::Buttons::Ok};
}

}  // namespace setup
}  // namespace tavoria
