// The settings window `setupWindow`: the delay, the web features and the offer panels.
#pragma once

#include "platform/form.h"
#include "platform/platform.h"
#include "saver/saver_state.h"

namespace tavoria {

struct SetupWindow {
  ui::Form form;

  // The controls the procedures use.
  struct Controls {
    ui::ControlId titleLabel, versionLabel;
    ui::ControlId partnerLogo;  // opens the shopping partner's site
    ui::ControlId delayBox;
    ui::ControlId upgradeButton, footballSiteButton;
    ui::ControlId okButton, cancelButton;
    // The offer panels that take turns, each with its link; the internet panel's install button.
    ui::ControlId cheapCallsPanel, freeCallsPanel, internetPanel;
    ui::ControlId cheapCallsLink, freeCallsLink, internetLink;
    ui::ControlId installButton;
  } controls;

  ui::TimerId offerTimer;  // turns the offer panels
};

// How long each offer panel is shown before the next takes its place, in milliseconds.
inline constexpr int kOfferRotation = 10000;

// Loads setupWindow on first use (its Form_Load runs) and shows it.
void ShowSetupWindow(SaverState& saver);

// The window's controls, places, captions and colours, with no behaviour attached.
SetupWindow::Controls DescribeSetupWindow(ui::Form& form);

namespace setup {

// The event procedures of setupWindow.
void Form_Load(SaverState& saver);
void Form_Close(SaverState& saver);
void OkButton_Click(SaverState& saver);
void CancelButton_Click(SaverState& saver);
void InstallButton_Click(SaverState& saver);  // the dial-up service's installer
void UpgradeButton_Click(SaverState& saver);
void FootballSiteButton_Click(SaverState& saver);
void CheapCallsLink_Click(SaverState& saver);
void InternetLink_Click(SaverState& saver);
void FreeCallsLink_Click(SaverState& saver);
void PartnerLogo_Click(SaverState& saver);
void OfferTimer_Timer(SaverState& saver);  // the next offer panel

// The messages the window shows.
platform::MessageBoxRequest InvalidDelayMessage();
platform::MessageBoxRequest SettingsNotWrittenMessage();
platform::MessageBoxRequest InstallQuestion();
platform::MessageBoxRequest InstallerNotFoundMessage();

}  // namespace setup
}  // namespace tavoria
