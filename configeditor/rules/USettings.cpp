#include "configeditor/rules/USettings.h"

#include <algorithm>
#include <string_view>

#include "configeditor/rules/UChangesIniNames.h"
#include "platform/Conversions.h"

namespace quennet {

const std::array<TSetting, kSettingCount> kSettings = {{
    {"WindowCaption", TSettingKind::Text, "", {}, 0},
    {"ConfirmMessage", TSettingKind::Text, kNoName, {}, 0},
    {"LogLevel", TSettingKind::Number, "3", {"0", "1", "2", "3", "4"}, 5},
    {"InstallerMode", TSettingKind::Flag, "1", {"1", "0"}, 2},
    {"BackupFiles", TSettingKind::Flag, "1", {"1", "0"}, 2},
    {"PlaintextLog", TSettingKind::Flag, "0", {"0", "1"}, 2},
    {"Required", TSettingKind::Text, "", {}, 0},
    {"RequiredMsg", TSettingKind::Text, "", {}, 0},
    {"LookupGameFolder", TSettingKind::Flag, "0", {"0", "1"}, 2},
    {"LookupGameNumber", TSettingKind::ExactValue, "2", {"2", "1"}, 2},
    {"SaveProcessedScripts", TSettingKind::Flag, "0", {"0", "1"}, 2},
}};

namespace {

int ChoiceOf(const TSetting& setting, std::string_view value) {
  for (std::size_t i = 0; i < setting.choiceCount; ++i) {
    if (setting.choiceValues[i] == value) return static_cast<int>(i);
  }
  return 0;
}

int ReadChoice(TCustomIniFile& ini, const TSetting& setting) {
  const int32_t number =
      ini.ReadInteger(kSettingsSection, setting.key, platform::StrToInt(setting.defaultValue));
  switch (setting.kind) {
    case TSettingKind::Number:
      return std::clamp(number, 0, static_cast<int32_t>(setting.choiceCount) - 1);
    case TSettingKind::Flag:
      return ChoiceOf(setting, number != 0 ? "1" : "0");
    case TSettingKind::ExactValue:
      return ChoiceOf(setting, platform::IntToStr(number));
    case TSettingKind::Text:
      break;
  }
  return 0;
}

}  // namespace

TSettingStates ReadSettings(TCustomIniFile& ini) {
  TSettingStates states;
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    const TSetting& setting = kSettings[i];
    if (setting.kind == TSettingKind::Text) {
      states[i].text = ini.ReadString(kSettingsSection, setting.key, setting.defaultValue);
    } else {
      states[i].choice = ReadChoice(ini, setting);
    }
  }
  return states;
}

void WriteSettings(TCustomIniFile& ini, const TSettingStates& states) {
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    const TSetting& setting = kSettings[i];
    const TSettingState& state = states[i];
    if (setting.kind != TSettingKind::Text) {
      const std::size_t choice = std::min<std::size_t>(state.choice, setting.choiceCount - 1);
      ini.WriteString(kSettingsSection, setting.key, setting.choiceValues[choice]);
    } else if (state.text.empty()) {
      ini.DeleteKey(kSettingsSection, setting.key);
    } else {
      ini.WriteString(kSettingsSection, setting.key, state.text);
    }
  }
}

bool HoldsSettings(TCustomIniFile& ini) { return ini.SectionExists(kSettingsSection); }

void MarkAsChangesIni(TCustomIniFile& ini) {
  ini.WriteString(kSettingsSection, kFileExistsKey, "1");
}

}  // namespace quennet
