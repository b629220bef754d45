// The settings file and the switches file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/memory/memory_platform.h"
#include "saver/data/settings.h"

namespace {

using platform::memory::MemoryPlatform;
using tavoria::SaverState;

struct SettingsTest : ::testing::Test {
  MemoryPlatform m;
  SaverState saver{m.platform};
};

TEST_F(SettingsTest, ReadConfigTakesTheFirstFieldOrFallsBackToSeven) {
  saver.delaySetting = "x";
  EXPECT_FALSE(tavoria::ReadConfig(saver)) << "no file";
  EXPECT_EQ(saver.delaySetting, "7");

  m.WriteFile("tavoria_config.ini", "");
  saver.delaySetting = "x";
  EXPECT_FALSE(tavoria::ReadConfig(saver)) << "empty file";
  EXPECT_EQ(saver.delaySetting, "7");

  m.WriteFile("tavoria_config.ini", "12,5\r\n");
  EXPECT_TRUE(tavoria::ReadConfig(saver));
  EXPECT_EQ(saver.delaySetting, "12");

  m.WriteFile("tavoria_config.ini", "  \"9.5\"\r\n");
  EXPECT_TRUE(tavoria::ReadConfig(saver));
  EXPECT_EQ(saver.delaySetting, "9.5");

  m.WriteFile("tavoria_config.ini", "ten\r\n");
  EXPECT_TRUE(tavoria::ReadConfig(saver)) << "the reader does not check the value";
  EXPECT_EQ(saver.delaySetting, "ten");
}

TEST_F(SettingsTest, WriteConfigWritesExactlyTheTextAndCrLf) {
  m.WriteFile("tavoria_config.ini", "old content that is longer\r\nand two lines\r\n");
  EXPECT_TRUE(tavoria::WriteConfig(saver, "15"));
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "15\r\n");
  EXPECT_EQ(m.Listing(), std::vector<std::string>{"tavoria_config.ini"});
  EXPECT_TRUE(tavoria::ReadConfig(saver));
  EXPECT_EQ(saver.delaySetting, "15");
}

TEST_F(SettingsTest, AWriteThatFailsPartwayLeavesTheOldFileAndNoTemporaryFile) {
  m.WriteFile("tavoria_config.ini", "9\r\n");
  m.files.failWriteAfter = 1;
  EXPECT_FALSE(tavoria::WriteConfig(saver, "15"));
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
  EXPECT_EQ(m.Listing(), std::vector<std::string>{"tavoria_config.ini"});

  m.files.failMove = true;
  EXPECT_FALSE(tavoria::WriteConfig(saver, "15"));
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
  EXPECT_EQ(m.Listing(), std::vector<std::string>{"tavoria_config.ini"});
}

TEST_F(SettingsTest, AWriteIntoAMissingDirectoryFails) {
  m.process.programDirectory += "\\gone";
  EXPECT_FALSE(tavoria::WriteConfig(saver, "15"));
}

TEST_F(SettingsTest, ReadSaverArgsTakesWhatItCanRead) {
  EXPECT_FALSE(tavoria::ReadSaverArgs(saver));
  EXPECT_EQ(saver.saverSwitch, "/s");
  EXPECT_EQ(saver.setupSwitch, "/c");

  m.WriteFile("tavoria_ssargs.ini", "/x\r\n/y\r\n");
  EXPECT_TRUE(tavoria::ReadSaverArgs(saver));
  EXPECT_EQ(saver.saverSwitch, "/x");
  EXPECT_EQ(saver.setupSwitch, "/y");

  saver.saverSwitch = "/s";
  saver.setupSwitch = "/c";
  m.WriteFile("tavoria_ssargs.ini", "/q");
  EXPECT_FALSE(tavoria::ReadSaverArgs(saver)) << "one field only";
  EXPECT_EQ(saver.saverSwitch, "/q");
  EXPECT_EQ(saver.setupSwitch, "/c");

  m.WriteFile("tavoria_ssargs.ini", "/m,/n");
  EXPECT_TRUE(tavoria::ReadSaverArgs(saver));
  EXPECT_EQ(saver.saverSwitch, "/m");
  EXPECT_EQ(saver.setupSwitch, "/n");
}

}  // namespace

namespace {

// A standard user's machine: the program's folder may be read-only, and the user has a roaming
// application data folder of their own, named outside the code page as for a user "Łukasz 李".
struct UserSettingsTest : SettingsTest {
  std::string appData = m.process.programDirectory + "\\Łukasz 李";
  std::string own = appData + "\\Tavoria Screensaver";

  UserSettingsTest() {
    std::filesystem::create_directory(m.HostPathOf("Łukasz 李"));
    m.files.roamingAppData = appData;
  }
  std::optional<std::string> OwnFile() const {
    return m.ReadFile("Łukasz 李/Tavoria Screensaver/tavoria_config.ini");
  }
  std::optional<std::string> BesideProgram() const { return m.ReadFile("tavoria_config.ini"); }
};

TEST_F(UserSettingsTest, TheFileInEffectIsTheUsersOwnWhenItExists) {
  struct Case {
    std::optional<std::string> beside, own;
    std::string delay;
  };
  const Case cases[] = {
      {{}, {}, "7"},
      {"12\r\n", {}, "12"},      // an administrator's delay serves every user without their own
      {"12\r\n", "9\r\n", "9"},  // the user's own wins
      {{}, "9\r\n", "9"},
      {"12\r\n", "", "7"},  // the user's own file is in effect even when it holds nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.beside.value_or("none") + " beside, " + c.own.value_or("none") + " own");
    std::filesystem::remove_all(m.HostPathOf("Łukasz 李/Tavoria Screensaver"));
    std::filesystem::remove(m.HostPathOf("tavoria_config.ini"));
    if (c.beside) m.WriteFile("tavoria_config.ini", *c.beside);
    if (c.own) {
      std::filesystem::create_directory(m.HostPathOf("Łukasz 李/Tavoria Screensaver"));
      m.WriteFile("Łukasz 李/Tavoria Screensaver/tavoria_config.ini", *c.own);
    }
    tavoria::ReadConfig(saver);
    EXPECT_EQ(saver.delaySetting, c.delay);
  }
}

TEST_F(UserSettingsTest, WriteConfigWritesTheFileInEffectOrElseTheUsersOwn) {
  struct Case {
    const char* name;
    bool ownExists, besideReadOnly, appDataReadOnly, ownReadOnly;
    bool written;
    std::optional<std::string> beside, own;  // afterwards
  };
  const Case cases[] = {
      {"beside the program, writable", false, false, false, false, true, "15\r\n", {}},
      {"beside the program, read-only", false, true, false, false, true, "12\r\n", "15\r\n"},
      {"the user's own", true, false, false, false, true, "12\r\n", "15\r\n"},
      {"the user's own, beside read-only", true, true, false, false, true, "12\r\n", "15\r\n"},
      {"the user's own, read-only", true, false, false, true, false, "12\r\n", "9\r\n"},
      {"neither can be written", false, true, true, false, false, "12\r\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(m.HostPathOf("Łukasz 李/Tavoria Screensaver"));
    m.files.readOnlyDirectories.clear();
    m.WriteFile("tavoria_config.ini", "12\r\n");
    if (c.ownExists) {
      std::filesystem::create_directory(m.HostPathOf("Łukasz 李/Tavoria Screensaver"));
      m.WriteFile("Łukasz 李/Tavoria Screensaver/tavoria_config.ini", "9\r\n");
    }
    if (c.besideReadOnly) m.files.readOnlyDirectories.insert(m.process.programDirectory);
    if (c.appDataReadOnly) m.files.readOnlyDirectories.insert(appData);
    if (c.ownReadOnly) m.files.readOnlyDirectories.insert(own);

    EXPECT_EQ(tavoria::WriteConfig(saver, "15"), c.written);
    EXPECT_EQ(BesideProgram(), c.beside);
    EXPECT_EQ(OwnFile(), c.own);
    EXPECT_FALSE(m.ReadFile("tavoria_config.ini.tmp"));
    EXPECT_FALSE(m.ReadFile("Łukasz 李/Tavoria Screensaver/tavoria_config.ini.tmp"));
    if (c.written) {
      tavoria::ReadConfig(saver);
      EXPECT_EQ(saver.delaySetting, "15") << "what was written is what is read next";
    }
  }
}

TEST_F(SettingsTest, WithoutARoamingFolderOnlyTheFileBesideTheProgramCounts) {
  m.files.readOnlyDirectories.insert(m.process.programDirectory);
  EXPECT_FALSE(tavoria::WriteConfig(saver, "15"));
  EXPECT_EQ(m.Listing(), std::vector<std::string>{});
}

}  // namespace
