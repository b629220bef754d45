#include "saver/setup/setup_window.h"

#include "saver/data/database.h"
#include "saver/data/settings.h"
#include "saver/failures.h"
#include "saver/links.h"
#include "saver/setup/delay_text.h"
#include "util/identity.h"
#include "util/text.h"

namespace tavoria {

namespace {

ui::Form& Window(SaverState& saver) {
  return saver.setupWindow->form;
}

const SetupWindow::Controls& Controls(SaverState& saver) {
  return saver.setupWindow->controls;
}

// Every handler runs with the window's state to hand, as the form's own procedures do.
std::function<void()> Handler(SaverState& saver, void (*procedure)(SaverState&)) {
  return [&saver, procedure] { procedure(saver); };
}

void LoadSetupWindow(SaverState& saver) {
  saver.setupWindow = std::make_unique<SetupWindow>();
  SetupWindow& w = *saver.setupWindow;
  ui::Form& form = w.form;
  w.controls = DescribeSetupWindow(form);
  const auto& c = w.controls;
  form.onClose = Handler(saver, setup::Form_Close);
  form[c.okButton].onClick = Handler(saver, setup::OkButton_Click);
  form[c.installButton].onClick = Handler(saver, setup::InstallButton_Click);
  form[c.cancelButton].onClick = Handler(saver, setup::CancelButton_Click);
  form[c.upgradeButton].onClick = Handler(saver, setup::UpgradeButton_Click);
  form[c.footballSiteButton].onClick = Handler(saver, setup::FootballSiteButton_Click);
  form[c.cheapCallsLink].onClick = Handler(saver, setup::CheapCallsLink_Click);
  form[c.internetLink].onClick = Handler(saver, setup::InternetLink_Click);
  form[c.freeCallsLink].onClick = Handler(saver, setup::FreeCallsLink_Click);
  form[c.partnerLogo].onClick = Handler(saver, setup::PartnerLogo_Click);
  w.offerTimer =
      form.AddTimer("offerTimer", kOfferRotation, true, Handler(saver, setup::OfferTimer_Timer));
  form.onFailure = [&saver, &form](std::exception_ptr failure) {
    EndOnFailure(saver, form, failure);
  };
  setup::Form_Load(saver);
}

}  // namespace

void ShowSetupWindow(SaverState& saver) {
  if (!saver.setupWindow) LoadSetupWindow(saver);
  saver.sys.ui.Open(Window(saver));
}

namespace setup {

void Form_Load(SaverState& saver) {
  ui::Form& form = Window(saver);
  form.left = 0;
  form.top = 0;
  const auto& c = Controls(saver);
  form[c.titleLabel].caption = SCREENSAVER_NAME;
  form[c.versionLabel].caption = APP_VERSION;
  form.caption = std::string(SCREENSAVER_NAME) + " Setup";
  form[c.delayBox].caption = saver.delaySetting;
}

void Form_Close(SaverState&) {
  // Closing the window by its frame is a Cancel: nothing is stored or saved.
}

void OkButton_Click(SaverState& saver) {
  const double delay = LeadingNumber(Window(saver)[Controls(saver).delayBox].caption);
  if (delay > kLongestDelay || delay < kShortestDelay) {
    saver.sys.desktop.ShowMessage(InvalidDelayMessage());
    return;
  }
  saver.delaySetting = DecimalText(delay);
  if (!WriteConfig(saver, saver.delaySetting))
    saver.sys.desktop.ShowMessage(SettingsNotWrittenMessage());
  saver.sys.ui.Close(Window(saver));
}

void CancelButton_Click(SaverState& saver) {
  saver.sys.ui.Close(Window(saver));
}

void InstallButton_Click(SaverState& saver) {
  if (saver.sys.desktop.ShowMessage(InstallQuestion()) != platform::Answer::Yes) return;
  if (!saver.sys.shell.StartProgram(saver.PathBesideProgram(INSTALLER_FILE)))
    saver.sys.desktop.ShowMessage(InstallerNotFoundMessage());
}

void UpgradeButton_Click(SaverState& saver) {
  OpenUrl(saver, UpgradeCheckAddress(GetDatabaseNumber(saver)));
}

void FootballSiteButton_Click(SaverState& saver) {
  OpenUrl(saver, FootballSiteAddress());
}

void CheapCallsLink_Click(SaverState& saver) {
  OpenTrackedLink(saver, "cheapcalls");
}

void InternetLink_Click(SaverState& saver) {
  OpenTrackedLink(saver, "internet");
}

void FreeCallsLink_Click(SaverState& saver) {
  OpenUrl(saver, FreeCallsAddress());
}

void PartnerLogo_Click(SaverState& saver) {
  OpenUrl(saver, PartnerShopAddress());
}

void OfferTimer_Timer(SaverState& saver) {
  ui::Form& form = Window(saver);
  const auto& c = Controls(saver);
  bool& one = form[c.cheapCallsPanel].visible;
  bool& two = form[c.freeCallsPanel].visible;
  bool& three = form[c.internetPanel].visible;
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
  return {
      SCREENSAVER_NAME,
      "The delay you entered was invalid. Please enter a delay " + AcceptedDelays() + " seconds.",
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
                          "Please go to " + InstallerDownloadAddress() + " and download it. "}),
          platform::Icon::Information, platform::Buttons::Ok};
}

}  // namespace setup
}  // namespace tavoria
