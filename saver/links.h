// The web links: every address the settings window offers is opened in the user's browser here.
#pragma once

#include <string>

#include "saver/saver_state.h"

namespace tavoria {

// Asks the shell to open the address with its "Open" action, owned by the settings window. What
// the shell answers is not looked at: a link that cannot be opened changes nothing.
void OpenUrl(SaverState& saver, const std::string& url);
// Opens the maker's redirect script for a placement ("cheapcalls", "internet"...), with the
// product id and version; the placement goes into the address as it is, unescaped.
void OpenTrackedLink(SaverState& saver, const std::string& where);
// The redirect script's address for a placement.
std::string TrackedLinkAddress(const std::string& where);

}  // namespace tavoria
