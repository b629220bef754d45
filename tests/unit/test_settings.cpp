// The settings file and the switches file.
#include <gtest/gtest.h>

#include "platform/memory/memory_platform.h"
#include "saver/data/settings.h"

namespace {

using platform::memory::MemoryPlatform;
using tavoria::GeneralCode;

struct SettingsTest : ::testing::Test {
  MemoryPlatform m;
  GeneralCode g{m.platform};
};

TEST_F(SettingsTest, ReadConfigTakesTheFirstFieldOrFallsBackToSeven) {
  g.delaySetting = "x";
  EXPECT_FALSE(tavoria::ReadConfig(g)) << "no file";
  EXPECT_EQ(g.delaySetting, "7");

  m.WriteFile("tavoria_config.ini", "");
  g.delaySetting = "x";
  EXPECT_FALSE(tavoria::ReadConfig(g)) << "empty file";
  EXPECT_EQ(g.delaySetting, "7");

  m.WriteFile("tavoria_config.ini", "12,5\r\n");
  EXPECT_TRUE(tavoria::ReadConfig(g));
  EXPECT_EQ(g.delaySetting, "12");

  m.WriteFile("tavoria_config.ini", "  \"9.5\"\r\n");
  EXPECT_TRUE(tavoria::ReadConfig(g));
  EXPECT_EQ(g.delaySetting, "9.5");

  m.WriteFile("tavoria_config.ini", "ten\r\n");
  EXPECT_TRUE(tavoria::ReadConfig(g)) << "the reader does not check the value";
  EXPECT_EQ(g.delaySetting, "ten");
}

TEST_F(SettingsTest, WriteConfigWritesExactlyTheTextAndCrLf) {
  m.WriteFile("tavoria_config.ini", "old content that is longer\r\nand two lines\r\n");
  EXPECT_TRUE(tavoria::WriteConfig(g, "15"));
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "15\r\n");
  EXPECT_EQ(m.Listing(), std::vector<std::string>{"tavoria_config.ini"});
  EXPECT_TRUE(tavoria::ReadConfig(g));
  EXPECT_EQ(g.delaySetting, "15");
}

TEST_F(SettingsTest, AWriteThatFailsPartwayLeavesTheOldFileAndNoTemporaryFile) {
  m.WriteFile("tavoria_config.ini", "9\r\n");
  m.files.failWriteAfter = 1;
  EXPECT_FALSE(tavoria::WriteConfig(g, "15"));
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
  EXPECT_EQ(m.Listing(), std::vector<std::string>{"tavoria_config.ini"});

  m.files.failMove = true;
  EXPECT_FALSE(tavoria::WriteConfig(g, "15"));
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
  EXPECT_EQ(m.Listing(), std::vector<std::string>{"tavoria_config.ini"});
}

TEST_F(SettingsTest, AWriteIntoAMissingDirectoryFails) {
  m.process.programDirectory += "\\gone";
  EXPECT_FALSE(tavoria::WriteConfig(g, "15"));
}

TEST_F(SettingsTest, ReadSaverArgsTakesWhatItCanRead) {
  EXPECT_FALSE(tavoria::ReadSaverArgs(g));
  EXPECT_EQ(g.saverSwitch, "/s");
  EXPECT_EQ(g.setupSwitch, "/c");

  m.WriteFile("tavoria_ssargs.ini", "/x\r\n/y\r\n");
  EXPECT_TRUE(tavoria::ReadSaverArgs(g));
  EXPECT_EQ(g.saverSwitch, "/x");
  EXPECT_EQ(g.setupSwitch, "/y");

  g.saverSwitch = "/s";
  g.setupSwitch = "/c";
  m.WriteFile("tavoria_ssargs.ini", "/q");
  EXPECT_FALSE(tavoria::ReadSaverArgs(g)) << "one field only";
  EXPECT_EQ(g.saverSwitch, "/q");
  EXPECT_EQ(g.setupSwitch, "/c");

  m.WriteFile("tavoria_ssargs.ini", "/m,/n");
  EXPECT_TRUE(tavoria::ReadSaverArgs(g));
  EXPECT_EQ(g.saverSwitch, "/m");
  EXPECT_EQ(g.setupSwitch, "/n");
}

}  // namespace
