// Kelvane, the upgrade assistant: what it installs, where, and what it tells the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/memory/memory_platform.h"
#include "upgrader/kelvane.h"

namespace {

namespace fs = std::filesystem;
using platform::Icon;
using platform::MessageBoxRequest;
using platform::memory::MemoryPlatform;

// A small but complete team database whose first line is `devname`.
std::string Database(const std::string& devname = "tavoria") {
  return devname +
         "\r\nTavoria team database\r\nUpgrade 17\r\n17\r\nfree\r\n2\r\nfree\r\n"
         "Tavoria vs Brazil\r\nThe big one\r\nEnd special fixtures\r\n"
         "ignored\r\n"
         "14/06/2026\r\nGroup A\r\nTavoria vs Brazil\r\n18:00\r\nx\r\nEnd Fixtures\r\n"
         "ignored\r\nTavoria have never lost on a Tuesday.\r\nEnd Trivia\r\n"
         "ignored\r\nBuy the shirt!\r\nEnd Ads\r\n";
}

const std::string kOldDatabase = Database() + "the old one";

MessageBoxRequest CouldNotUpgrade() {
  return {.title = "Couldn't upgrade!",
          .text = "The Fenmoor Kelvane couldn't upgrade your screensaver.",
          .icon = Icon::Information};
}
MessageBoxRequest Upgraded() {
  return {.title = "Screensaver upgraded!",
          .text = "Your screensaver has been upgraded!",
          .icon = Icon::Information};
}
MessageBoxRequest Failed(const std::string& description) {
  return {.title = "Screensaver upgrade",
          .text = "The Fenmoor Kelvane couldn't upgrade your screensaver: \r\n\r\n" + description,
          .icon = Icon::Stop};
}

const std::string kNotAValidName = "The upgrade file does not name a valid database.";
const std::string kNotComplete = "The upgrade file is not a complete team database.";

struct KelvaneTest : ::testing::Test {
  MemoryPlatform m;
  // The Windows directory is a folder inside the program directory, so that anything written
  // beside it (in the program directory) shows up as well.
  std::string windows = m.process.programDirectory + "\\windows";

  KelvaneTest() {
    fs::create_directory(m.PathOf("windows"));
    m.desktop.windowsDirectory = windows;
    m.WriteFile("windows/tavoria.sdf", kOldDatabase);
    fs::create_directory(m.PathOf("My Downloads"));
  }

  // Writes an upgrade file and returns its path as the shell would pass it.
  std::string Upgrade(const std::string& bytes, const std::string& name = "tavoria upgrade.tup") {
    m.WriteFile("My Downloads/" + name, bytes);
    return m.process.programDirectory + "\\My Downloads\\" + name;
  }

  void Run(const std::string& argumentText) {
    m.process.argumentText = argumentText;
    m.ui.Run([&] { kelvane::Main({m.process, m.files, m.clock, m.desktop}); });
  }

  std::vector<std::string> WindowsFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m.PathOf("windows")))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::optional<std::string> Installed(const std::string& name) const {
    return m.ReadFile("windows/" + name);
  }
  // The old database is still there, unchanged, and nothing else is left.
  void ExpectNoTrace() const {
    EXPECT_EQ(WindowsFiles(), std::vector<std::string>{"tavoria.sdf"});
    EXPECT_EQ(Installed("tavoria.sdf"), kOldDatabase);
    EXPECT_EQ(m.Listing(), (std::vector<std::string>{"My Downloads", "windows"}));
  }
  // ... and nothing at all was ever written into the Windows directory.
  void ExpectNothingChanged() const {
    ExpectNoTrace();
    for (const std::string& path : m.files.written) EXPECT_FALSE(path.starts_with(windows)) << path;
  }
  std::vector<MessageBoxRequest> Boxes(const MessageBoxRequest& box) const { return {box}; }
};

// ----- the three messages ---------------------------------------------------------------------

TEST_F(KelvaneTest, NoArgumentSaysItCouldNotUpgradeAndWritesNothing) {
  Run("");
  EXPECT_EQ(m.desktop.messages, Boxes(CouldNotUpgrade()));
  ExpectNothingChanged();
}

TEST_F(KelvaneTest, AGoodUpgradeReplacesTheDatabaseByteForByte) {
  const std::string upgrade = Database() + "trailing lines are copied too\r\n";
  const std::string path = Upgrade(upgrade);
  Run(path);
  EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
  EXPECT_EQ(Installed("tavoria.sdf"), upgrade);
  EXPECT_EQ(WindowsFiles(), std::vector<std::string>{"tavoria.sdf"});  // no temporary file left
  EXPECT_EQ(m.ReadFile("My Downloads/tavoria upgrade.tup"), upgrade);  // the upgrade file stays
}

TEST_F(KelvaneTest, AFirstDatabaseIsCreated) {
  fs::remove(m.PathOf("windows/tavoria.sdf"));
  Run(Upgrade(Database()));
  EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
  EXPECT_EQ(Installed("tavoria.sdf"), Database());
}

TEST_F(KelvaneTest, BareLineFeedsEndTheFirstLineToo) {
  std::string upgrade = Database();
  upgrade.erase(upgrade.find('\r'), 1);
  Run(Upgrade(upgrade));
  EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
  EXPECT_EQ(Installed("tavoria.sdf"), upgrade);
}

TEST_F(KelvaneTest, AQuotedPathIsTakenWithItsQuotesAndFailsToOpen) {
  Run("\"" + Upgrade(Database()) + "\"");
  EXPECT_EQ(m.desktop.messages, Boxes(Failed("Bad file name or number")));
  ExpectNothingChanged();
}

TEST_F(KelvaneTest, AMissingFileGivesTheNotFoundDescriptionOnly) {
  Run(m.process.programDirectory + "\\My Downloads\\nothing here.tup");
  EXPECT_EQ(m.desktop.messages, Boxes(Failed("File not found")));
  ExpectNothingChanged();
}

TEST_F(KelvaneTest, ABlankBeforeThePathIsPartOfThePath) {
  Run(" " + Upgrade(Database()));
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_EQ(m.desktop.messages[0].title, "Screensaver upgrade");
  ExpectNothingChanged();
}

TEST_F(KelvaneTest, ANameOutsideTheCodePageIsOpenedAndTheFirstLineNamesInTheCodePage) {
  const std::string upgrade = Database("caf\xE9");  // "café" in ISO 8859-1, the code page here
  Run(Upgrade(upgrade, "Łukasz 李 upgrade.tup"));
  EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
  EXPECT_EQ(Installed("café.sdf"), upgrade);
  EXPECT_EQ(Installed("tavoria.sdf"), kOldDatabase);
}

TEST_F(KelvaneTest, AnEmptyFileHasNoLineToRead) {
  Run(Upgrade(""));
  EXPECT_EQ(m.desktop.messages, Boxes(Failed("Input past end of file")));
  ExpectNothingChanged();
}

// ----- what the user sees, in order -----------------------------------------------------------

TEST_F(KelvaneTest, AnUpgradeIsInPlaceBeforeTheUserIsToldSo) {
  Run(Upgrade(Database()));
  EXPECT_EQ(m.Events(),
            (std::vector<std::string>{"file replaced <program>\\windows\\tavoria.sdf",
                                      "message \"Screensaver upgraded!\" answered OK"}));
}

TEST_F(KelvaneTest, AFailureReplacesNothingAndSaysSoOnce) {
  Run(Upgrade(Database("..\\evil")));
  EXPECT_EQ(m.Events(), std::vector<std::string>{"message \"Screensaver upgrade\" answered OK"});
}

// ----- the name from the first line ------------------------------------------------------------

TEST_F(KelvaneTest, AnotherDevnameIsInstalledUnderItsOwnName) {
  Run(Upgrade(Database("other")));
  EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
  EXPECT_EQ(Installed("other.sdf"), Database("other"));
  EXPECT_EQ(Installed("tavoria.sdf"), kOldDatabase);
  EXPECT_EQ(WindowsFiles(), (std::vector<std::string>{"other.sdf", "tavoria.sdf"}));
}

TEST_F(KelvaneTest, AnEmptyFirstLineNamesNoDatabase) {
  Run(Upgrade(Database("")));
  EXPECT_EQ(m.desktop.messages, Boxes(Failed(kNotAValidName)));
  ExpectNothingChanged();
}

TEST_F(KelvaneTest, PlainNamesThatMerelyLookOddAreAccepted) {
  for (const std::string& name :
       std::vector<std::string>{"COM10", "CONSOLE", "LPT", "nul-ish", "tavoria v2", "a.b",
                                ".hidden", " leading blank", std::string(251, 'x')}) {
    SCOPED_TRACE(name);
    m.desktop.messages.clear();
    Run(Upgrade(Database(name)));
    EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
    EXPECT_EQ(Installed(name + ".sdf"), Database(name));
  }
}

TEST_F(KelvaneTest, ANameThatIsNotAPlainFileNameIsRefusedAndNothingIsWritten) {
  const std::string upgrade = "upgrade.tup";
  for (const std::string& name : std::vector<std::string>{"..\\evil",
                                                          "../evil",
                                                          "..\\..\\evil",
                                                          "sub\\tavoria",
                                                          "sub/tavoria",
                                                          "C:tavoria",
                                                          "C:\\tavoria",
                                                          "\\\\server\\share\\tavoria",
                                                          "..",
                                                          "a..b",
                                                          "a<b",
                                                          "a>b",
                                                          "a\"b",
                                                          "a|b",
                                                          "a?b",
                                                          "a*b",
                                                          "a:b",
                                                          "CON",
                                                          "con",
                                                          "Nul",
                                                          "aux",
                                                          "PRN",
                                                          "COM1",
                                                          "com9",
                                                          "LPT1",
                                                          "lpt0",
                                                          "COM\xB9",
                                                          "CONIN$",
                                                          "conout$",
                                                          "CLOCK$",
                                                          "con.txt",
                                                          "NUL.tar",
                                                          "CON .x",
                                                          "tavoria.",
                                                          "tavoria ",
                                                          " ",
                                                          std::string(252, 'x')}) {
    SCOPED_TRACE(name);
    m.desktop.messages.clear();
    Run(Upgrade(Database(name), upgrade));
    EXPECT_EQ(m.desktop.messages, Boxes(Failed(kNotAValidName)));
    ExpectNothingChanged();
  }
}

// ----- only complete databases ----------------------------------------------------------------

TEST_F(KelvaneTest, AnUpgradeThatEndsBeforeEndAdsIsRefused) {
  const std::string whole = Database();
  for (const std::size_t cut : {whole.find("End Ads"), whole.find("End Trivia"),
                                whole.find("\r\n") + 2, whole.size() - 3}) {
    SCOPED_TRACE(cut);
    m.desktop.messages.clear();
    Run(Upgrade(whole.substr(0, cut)));
    EXPECT_EQ(m.desktop.messages, Boxes(Failed(kNotComplete)));
    ExpectNothingChanged();
  }
}

TEST_F(KelvaneTest, ATerminatorWithATrailingBlankDoesNotEndTheDatabase) {
  std::string upgrade = Database();
  upgrade.replace(upgrade.find("End Ads"), 7, "End Ads ");
  Run(Upgrade(upgrade));
  EXPECT_EQ(m.desktop.messages, Boxes(Failed(kNotComplete)));
  ExpectNothingChanged();
}

// ----- only what the saver loads ---------------------------------------------------------------

// Database() with `from` replaced by `to`.
std::string Changed(const std::string& from, const std::string& to) {
  std::string upgrade = Database();
  upgrade.replace(upgrade.find(from), from.size(), to);
  return upgrade;
}

TEST_F(KelvaneTest, WhatTheSaverWouldStopOnIsRefusedWithItsLineAndReason) {
  std::string manyFacts;
  for (int n = 0; n < 100; ++n) manyFacts += "A fact.\r\n";
  const struct {
    const char* name;
    std::string upgrade;
    std::string reason;  // after "line "
    calendar::DateOrder order = calendar::DateOrder::DayMonthYear;
  } cases[] = {
      {"a kick-off that is no time",
       Changed("14/06/2026\r\nGroup A\r\nTavoria vs Brazil\r\n18:00",
               "14/06/2027\r\nGroup A\r\nTavoria vs Brazil\r\n7.45pm"),
       "15, kick-off \"7.45pm\" is not a time of day"},
      {"a match line ending in vs",
       Changed("14/06/2026\r\nGroup A\r\nTavoria vs Brazil", "14/06/2027\r\nGroup A\r\nTavoria vs"),
       "14, the match line \"Tavoria vs\" has \"vs\" at its end"},
      {"a date of another regional order", Changed("14/06/2026", "14/06/2027"),
       "12, \"14/06/2027\" is not a date", calendar::DateOrder::MonthDayYear},
      {"sections out of order", Changed("14/06/2026", "Tavoria have never lost on a Tuesday."),
       "12, \"Tavoria have never lost on a Tuesday.\" is not a date"},
      {"too many facts", Changed("End Trivia", manyFacts + "End Trivia"),
       "119, more than 99 facts"},
      {"a newer format", Changed("free\r\n2\r\n", "free\r\n3\r\n"),
       "6, format version \"3\" is newer than this screensaver's \"2\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    m.desktop.messages.clear();
    m.clock.desktopUserRegional->dateOrder = c.order;
    Run(Upgrade(c.upgrade));
    EXPECT_EQ(
        m.desktop.messages,
        Boxes(Failed("The screensaver could not read the upgrade file: line " + c.reason + ".")));
    ExpectNothingChanged();
  }
  // A fixture past today is what the saver leaves out, not a fault.
  m.desktop.messages.clear();
  m.clock.desktopUserRegional->dateOrder = calendar::DateOrder::DayMonthYear;
  Run(Upgrade(Changed("18:00", "7.45pm")));
  EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
}

TEST_F(KelvaneTest, AnUpgradeOlderThanTheInstalledDatabaseIsRefused) {
  const struct {
    const char* installed;  // line 4 of the database in place; none: no database
    const char* upgrade;    // line 4 of the upgrade
    bool installs;
  } cases[] = {{"17", "16", false},      {"17", "17", true},   {"17", "18", true},
               {"seventeen", "3", true}, {"17", "none", true}, {nullptr, "1", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.installed ? c.installed : "no database") + " then " + c.upgrade);
    m.desktop.messages.clear();
    const std::string installed =
        c.installed
            ? Changed("Upgrade 17\r\n17\r\n", std::string("Upgrade 17\r\n") + c.installed + "\r\n")
            : std::string();
    if (c.installed)
      m.WriteFile("windows/tavoria.sdf", installed);
    else
      fs::remove(m.PathOf("windows/tavoria.sdf"));
    const std::string upgrade =
        Changed("Upgrade 17\r\n17\r\n", std::string("Upgrade 17\r\n") + c.upgrade + "\r\n");
    Run(Upgrade(upgrade));
    if (c.installs) {
      EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
      EXPECT_EQ(Installed("tavoria.sdf"), upgrade);
    } else {
      EXPECT_EQ(m.desktop.messages,
                Boxes(Failed("The upgrade file is database 16, older than the installed "
                             "database 17.")));
      EXPECT_EQ(Installed("tavoria.sdf"), installed);
      EXPECT_EQ(WindowsFiles(), std::vector<std::string>{"tavoria.sdf"});
    }
  }
}

// ----- what a download may not do -----------------------------------------------------------

TEST_F(KelvaneTest, RefusedUpgradesWriteNothingIntoTheWindowsDirectory) {
  const std::string limit = std::to_string(1024 * 1024);
  const std::string notPlain = "The first line of the upgrade file is not a plain name: ";
  const std::string bom = notPlain +
                          "it starts with a byte-order mark, as a text editor writes when it "
                          "saves the file as Unicode.";
  const std::string dayFirst = Changed("14/06/2026", "14/06/2027");
  using Regional = std::optional<calendar::RegionalSettings>;
  const Regional monthFirst = calendar::RegionalSettings{calendar::DateOrder::MonthDayYear};
  const struct {
    const char* name;
    std::string upgrade;
    std::string refusal;  // empty: installed
    Regional desktopUser = calendar::RegionalSettings{};
    bool lockHeldElsewhere = false;
  } cases[] = {
      {"junk after a good database", Database() + std::string(2 << 20, 'x'),
       "The upgrade file is " + std::to_string(Database().size() + (2 << 20)) +
           " bytes, larger than a team database can be (at most " + limit + " bytes, 1 MiB)."},
      {"one byte too many", Database() + std::string((1 << 20) - Database().size() + 1, ' '),
       "The upgrade file is " + std::to_string((1 << 20) + 1) +
           " bytes, larger than a team database can be (at most " + limit + " bytes, 1 MiB)."},
      {"as large as a database may be",
       Database() + std::string((1 << 20) - Database().size(), ' '), ""},
      {"a UTF-8 byte-order mark", "\xEF\xBB\xBF" + Database(), bom},
      {"a UTF-16 byte-order mark", "\xFF\xFE" + Database(), bom},
      {"a tab", Database("tab\there"), notPlain + "it holds a control character (code 9)."},
      {"a bell", Database("bell\x07"), notPlain + "it holds a control character (code 7)."},
      {"a carriage return inside", Database("cr\rinside"),
       notPlain + "it holds a control character (code 13)."},
      {"unit separator", Database("\x1f"), notPlain + "it holds a control character (code 31)."},
      {"delete", Database("tavoria\x7f"), notPlain + "it holds a control character (code 127)."},
      {"a date the desktop user's saver stops on", dayFirst,
       "The screensaver could not read the upgrade file: line 12, \"14/06/2027\" is not a date.",
       monthFirst},
      {"the date order of the desktop user unknown", dayFirst,
       "The screensaver could not read the upgrade file where dates are written month-day-year: "
       "line 12, \"14/06/2027\" is not a date.",
       std::nullopt},
      {"another program replacing the database", Database(),
       "Another upgrade of the screensaver is being installed. Try again when it has finished.",
       calendar::RegionalSettings{}, true},
  };
  // Kelvane's own account reads dates month first; the user at the desktop, unless told, day first.
  m.clock.regional.dateOrder = calendar::DateOrder::MonthDayYear;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    m.desktop.messages.clear();
    m.files.written.clear();
    m.clock.desktopUserRegional = c.desktopUser;
    m.process.heldElsewhere.clear();
    if (c.lockHeldElsewhere) m.process.heldElsewhere.insert("Tavoria team database");
    m.WriteFile("windows/tavoria.sdf", kOldDatabase);
    Run(Upgrade(c.upgrade));
    if (c.refusal.empty()) {
      EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
      EXPECT_EQ(Installed("tavoria.sdf"), c.upgrade);
      continue;
    }
    EXPECT_EQ(m.desktop.messages, Boxes(Failed(c.refusal)));
    ExpectNothingChanged();
  }
  EXPECT_TRUE(m.process.held.empty()) << "the lock is let go";
}

// ----- never half a database -----------------------------------------------------------------

TEST_F(KelvaneTest, AFailedWriteLeavesTheOldDatabaseAndNoTemporaryFile) {
  m.files.failWriteAfter = 40;
  Run(Upgrade(Database()));
  EXPECT_EQ(m.desktop.messages, Boxes(Failed("Disk full")));
  ExpectNoTrace();
}

TEST_F(KelvaneTest, AFailedReplaceLeavesTheOldDatabaseAndNoTemporaryFile) {
  m.files.failMove = true;
  Run(Upgrade(Database()));
  EXPECT_EQ(m.desktop.messages, Boxes(Failed("Permission denied")));
  ExpectNoTrace();
}

TEST_F(KelvaneTest, AMissingWindowsDirectoryFailsWithTheSystemsDescription) {
  m.desktop.windowsDirectory = m.process.programDirectory + "\\gone";
  Run(Upgrade(Database()));
  EXPECT_EQ(m.desktop.messages, Boxes(Failed("Path not found")));
  ExpectNothingChanged();
}

TEST_F(KelvaneTest, NoWindowsDirectoryAtAllIsAFailureNotTheRootOfTheDrive) {
  m.desktop.windowsDirectory = "";
  Run(Upgrade(Database()));
  EXPECT_EQ(m.desktop.messages, Boxes(Failed("The Windows directory could not be found.")));
  ExpectNothingChanged();
}

// ----- the Windows directory -----------------------------------------------------------------

TEST_F(KelvaneTest, AWindowsDirectoryLongerThan256CharactersIsUsedWhole) {
  std::string relative = "windows";
  while ((m.process.programDirectory + "/" + relative).size() <= 300)
    relative += "/" + std::string(60, 'd');
  fs::create_directories(m.PathOf(relative));
  m.desktop.windowsDirectory = m.PathOf(relative);
  Run(Upgrade(Database()));
  EXPECT_EQ(m.desktop.messages, Boxes(Upgraded()));
  EXPECT_EQ(m.ReadFile(relative + "/tavoria.sdf"), Database());
  EXPECT_EQ(Installed("tavoria.sdf"), kOldDatabase);
}

}  // namespace
