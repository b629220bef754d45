// The settings window `setupWindow`: the delay, the web features and the offer panels.
#pragma once

#include "platform/form.h"
#include "platform/platform.h"
#include "saver/generalcode.h"

namespace tavoria {

struct SetupWindow {
  ui::Form form;
};

// How long each offer panel is shown before the next takes its place, in milliseconds.
inline constexpr int kOfferRotation = 10000;

// Loads setupWindow on first use (its Form_Load runs) and shows it.
void ShowSetupWindow(GeneralCode& g);

// The window's controls, places, captions and colours, with no behaviour attached.
void DescribeSetupWindow(ui::Form& form);

namespace setup {

// The event procedures of setupWindow.
void Form_Load(GeneralCode& g);
void Form_Close(GeneralCode& g);
void Command1_Click(GeneralCode& g);  // OK
void Command3_Click(GeneralCode& g);  // Cancel
void Command2_Click(GeneralCode& g);  // install the dial-up service
void Command4_Click(GeneralCode& g);  // upgrade check
void Command5_Click(GeneralCode& g);  // football site
void Label15_Click(GeneralCode& g);   // cheap calls
void Label18_Click(GeneralCode& g);   // internet service
void Label20_Click(GeneralCode& g);   // free calls
void Picture5_Click(GeneralCode& g);  // shopping partner
void Timer1_Timer(GeneralCode& g);    // offer panel rotation

// The messages the window shows.
platform::MessageBoxRequest InvalidDelayMessage();
platform::MessageBoxRequest SettingsNotWrittenMessage();
platform::MessageBoxRequest InstallQuestion();
platform::MessageBoxRequest InstallerNotFoundMessage();

}  // namespace setup
}  // namespace tavoria
