// The "[Settings]" keys: what a stored value means for the pane's boxes, and what
// their states write, on whole changes.ini texts.
#include <gtest/gtest.h>

#include "configeditor/rules/USettings.h"
#include "tests/configeditor/ModifierTexts.h"
#include "tests/configeditor/ScratchIni.h"

namespace quennet {
namespace {

using modifier_testing::Lines;

const std::string kMark = Lines({"[Settings]", "FileExists=1"});

// The position of `key` in kSettings.
std::size_t IndexOf(const char* key) {
  for (std::size_t i = 0; i < kSettingCount; ++i)
    if (std::string_view(kSettings[i].key) == key) return i;
  ADD_FAILURE() << key;
  return 0;
}

class SettingsRulesTest : public testing::Test {
 protected:
  TKV_Inifile& Ini(const std::string& text) { return FScratch.Ini(text); }
  modifier_testing::ScratchIni FScratch;
};

TEST_F(SettingsRulesTest, MissingKeysReadAsTheirDefaults) {
  const TSettingStates states = ReadSettings(Ini(kMark));
  EXPECT_EQ("", states[IndexOf("WindowCaption")].text);
  EXPECT_EQ("N/A", states[IndexOf("ConfirmMessage")].text);
  EXPECT_EQ(3, states[IndexOf("LogLevel")].choice);
  EXPECT_EQ(0, states[IndexOf("InstallerMode")].choice) << "installer";
  EXPECT_EQ(0, states[IndexOf("BackupFiles")].choice) << "backups";
  EXPECT_EQ(0, states[IndexOf("PlaintextLog")].choice);
  EXPECT_EQ(0, states[IndexOf("LookupGameFolder")].choice);
  EXPECT_EQ(0, states[IndexOf("LookupGameNumber")].choice) << "game 2";
  EXPECT_EQ(0, states[IndexOf("SaveProcessedScripts")].choice);
}

TEST_F(SettingsRulesTest, StoredValuesPickTheirChoice) {
  struct Case {
    const char* key;
    const char* stored;
    int choice;
  };
  const Case cases[] = {
      {"LogLevel", "0", 0},         {"LogLevel", "4", 4},         {"LogLevel", "9", 4},
      {"LogLevel", "-2", 0},        {"LogLevel", "x", 3},         {"InstallerMode", "0", 1},
      {"InstallerMode", "7", 0},    {"BackupFiles", "0", 1},      {"PlaintextLog", "1", 1},
      {"PlaintextLog", "2", 1},     {"LookupGameFolder", "1", 1}, {"LookupGameNumber", "1", 1},
      {"LookupGameNumber", "2", 0}, {"LookupGameNumber", "3", 0}, {"SaveProcessedScripts", "1", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
    const TSettingStates states =
        ReadSettings(Ini(kMark + Lines({(std::string(c.key) + "=" + c.stored).c_str()})));
    EXPECT_EQ(c.choice, states[IndexOf(c.key)].choice);
  }
}

TEST_F(SettingsRulesTest, WritingStoresEveryKeyInTheTablesOrderAndDropsEmptyTexts) {
  TKV_Inifile& ini = Ini(kMark + Lines({"WindowCaption=Old", "Required=x.2da"}));
  TSettingStates states = ReadSettings(ini);
  states[IndexOf("WindowCaption")].text = "My mod";
  states[IndexOf("Required")].text = "";
  states[IndexOf("LogLevel")].choice = 4;
  states[IndexOf("InstallerMode")].choice = 1;
  states[IndexOf("LookupGameNumber")].choice = 1;
  states[IndexOf("SaveProcessedScripts")].choice = 1;
  WriteSettings(ini, states);
  EXPECT_EQ(Lines({"[Settings]", "FileExists=1", "WindowCaption=My mod", "ConfirmMessage=N/A",
                   "LogLevel=4", "InstallerMode=0", "BackupFiles=1", "PlaintextLog=0",
                   "LookupGameFolder=0", "LookupGameNumber=1", "SaveProcessedScripts=1"}),
            FScratch.Text());
  EXPECT_EQ(states[IndexOf("LookupGameNumber")].choice,
            ReadSettings(ini)[IndexOf("LookupGameNumber")].choice);
}

TEST_F(SettingsRulesTest, TheMarkOfAChangesIni) {
  TKV_Inifile& ini = Ini(Lines({"[Settings]"}));
  EXPECT_FALSE(HoldsSettings(ini));
  MarkAsChangesIni(ini);
  EXPECT_TRUE(HoldsSettings(ini));
  EXPECT_EQ(kMark, FScratch.Text());
}

}  // namespace
}  // namespace quennet
