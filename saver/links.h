// The web links: every address of the maker's and its partner's that the settings window offers
// is built here, from the product's identity, and opened in the user's browser here.
#pragma once

#include <cstdint>
#include <optional>
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
// The upgrade check, told the installed database's number (-1 when it has none) and the version.
std::string UpgradeCheckAddress(std::optional<std::int16_t> databaseNumber);
// The maker's football site, the free-calls page and the partner's shop.
std::string FootballSiteAddress();
std::string FreeCallsAddress();
std::string PartnerShopAddress();
// Where the dial-up service's installer is downloaded.
std::string InstallerDownloadAddress();
// How a link to one of the maker's pages reads: "Visit www.fenmoor.example/cheapcalls".
std::string VisitText(const std::string& path);

}  // namespace tavoria
