// The product's identity: every caption, message, address and check is built from these.
#pragma once

#include "util/version.h"

namespace tavoria {

inline constexpr const char* SCREENSAVER_NAME = "Tavoria Screensaver";
inline constexpr const char* APP_VERSION = TAVORIA_VERSION;
inline constexpr const char* DEVNAME = "tavoria";
inline constexpr const char* SCREENSAVER_COMPANY = "Fenmoor Entertainment UK";

// The maker's web presence. The names are under the reserved .example domain.
inline constexpr const char* MAKER_HOST = "www.fenmoor.example";
inline constexpr const char* HOMEPAGE_URL = "http://www.fenmoor.example/football/";
inline constexpr const char* FRIENDLY_URL = "fenmoor.example/football";
inline constexpr const char* SUPPORT_EMAIL = "support@fenmoor.example";
// The shopping partner whose shop the settings window advertises.
inline constexpr const char* PARTNER_HOST = "www.riverbooks.example";
inline constexpr const char* PARTNER_DOMAIN = "riverbooks.example";

// Files beside the program.
inline constexpr const char* DATABASE_FILE = "tavoria.sdf";
inline constexpr const char* CONFIG_FILE = "tavoria_config.ini";
inline constexpr const char* SWITCHES_FILE = "tavoria_ssargs.ini";
inline constexpr const char* INSTALLER_FILE = "setup_fenmoor_internet_access.exe";

// The full-screen window's caption, by which a second start recognises a running saver.
inline constexpr const char* SAVER_WINDOW_TITLE = "Screensaver Main Form";

}  // namespace tavoria
