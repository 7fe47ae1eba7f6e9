// The INI parse's index and its edit log under long runs of edits over many names: the
// index must agree with a fresh parse of the content, and a batch's kept edits, applied
// again to the text the batch started from, must give the batch's own content.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PrivateProfile.h"

namespace {

using platform::ProfileEdit;
using platform::ProfileEditLog;
using platform::ProfileText;

// A small deterministic generator, so that a failing step can be run again.
class Steps {
 public:
  uint32_t Next(uint32_t range) {
    FState = FState * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(FState >> 33) % range;
  }

  std::string Section() {
    const std::string name = "Sect" + std::to_string(Next(60));
    return Next(5) == 0 ? "  " + AsUpper(name) : name;
  }
  // The doubled names of the starting file come up often.
  std::string Key() {
    const std::string name = "key" + std::to_string(Next(2) == 0 ? Next(4) : Next(80));
    return Next(5) == 0 ? AsUpper(name) + " " : name;
  }
  std::string Value() { return Next(6) == 0 ? "" : std::to_string(Next(100000)); }

 private:
  static std::string AsUpper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  }

  uint64_t FState = 20261211;
};

// Sections that stand twice, keys that stand twice, comments and meaningless lines.
std::string StartingFile() {
  std::string file = "; head\r\n";
  for (int s = 0; s < 40; ++s) {
    file += "[Sect" + std::to_string(s % 30) + "]\r\n";
    for (int k = 0; k < 12; ++k) file += "key" + std::to_string((k * 7 + s) % 4) + "=v\r\n";
    file += s % 4 == 0 ? ";c\r\n\r\njunk\r\n" : "";
  }
  return file;
}

void ExpectSameReads(const ProfileText& expected, const ProfileText& actual, int step) {
  for (int s = 0; s < 60; ++s) {
    const std::string section = "sect" + std::to_string(s);
    ASSERT_EQ(expected.KeyNames(section), actual.KeyNames(section)) << "step " << step;
    for (int k = 0; k < 80; ++k) {
      const std::string key = "KEY" + std::to_string(k);
      ASSERT_EQ(expected.Value(section, key), actual.Value(section, key)) << "step " << step;
    }
  }
}

// One random edit on `text`, kept in `log`.
void EditAtRandom(ProfileText& text, ProfileEditLog& log, Steps& steps) {
  const std::string section = steps.Section();
  const std::string key = steps.Key();
  const std::string value = steps.Value();
  const std::vector<std::string> identifying{"Row"};
  const platform::ProfileKeyValues keys{{"Row", value}, {key, "1"}};
  ProfileEdit edit{ProfileEdit::Kind::SetValue, section, key, value};
  ProfileText::EditedLines lines;
  switch (steps.Next(20)) {
    case 0:
    case 1:
    case 2:
    case 3:
      edit.kind = ProfileEdit::Kind::RemoveKey;
      lines = text.RemoveKey(section, key);
      break;
    case 4:
      if (steps.Next(4) != 0) return;
      edit.kind = ProfileEdit::Kind::RemoveSection;
      lines = text.RemoveSection(section);
      break;
    case 5:
      edit = {ProfileEdit::Kind::PutKeysFirst, section, {}, {}, &identifying, &keys};
      lines = text.PutKeysFirst(section, identifying, keys);
      break;
    default: {
      // Runs of keys into one section, as a compare writes them.
      const int run = steps.Next(4) == 0 ? 6 : 1;
      for (int i = 0; i < run; ++i) {
        const std::string runKey = run == 1 ? key : key + "_" + std::to_string(i);
        const ProfileEdit one{ProfileEdit::Kind::SetValue, section, runKey, value};
        const ProfileText::EditedLines written = text.SetValue(section, runKey, value);
        log.Add(one, written);
      }
      return;
    }
  }
  if (lines.Changed()) log.Add(edit, lines);
}

TEST(ProfileTextTest, TheIndexAgreesWithAFreshParseAcrossManyNames) {
  Steps steps;
  // Rounds from the starting file, while its doubled names are still there.
  for (int round = 0; round < 20; ++round) {
    ProfileText text(StartingFile());
    ProfileEditLog unused;
    for (int step = 0; step < 1000; ++step) {
      if (step % 300 == 299) text.ContentWritten();
      EditAtRandom(text, unused, steps);
      unused.Clear();
      if (step % 20 != 0) continue;
      const ProfileText fresh(text.Content());
      ASSERT_EQ(text.Content().size(), text.ContentSize()) << "step " << step;
      ExpectSameReads(fresh, text, round * 1000 + step);
    }
  }
}

TEST(ProfileTextTest, KeptEditsGiveTheBatchsContentAgain) {
  Steps steps;
  for (int batch = 0; batch < 200; ++batch) {
    const std::string start = batch % 2 == 0 ? StartingFile() : "";
    ProfileText text(start);
    ProfileEditLog log;
    const int edits = 1 + static_cast<int>(steps.Next(120));
    for (int i = 0; i < edits; ++i) EditAtRandom(text, log, steps);

    const ProfileText before(start);
    ProfileText again(start);
    EXPECT_TRUE(log.TouchSameState(text, before, again)) << "batch " << batch;
    const ProfileEditLog keptAgain = log.ApplyTo(text, again);
    ASSERT_EQ(text.Content(), again.Content()) << "batch " << batch;

    // Kept again in the text they were applied to, they tell the same edits.
    ProfileText third(start);
    keptAgain.ApplyTo(again, third);
    ASSERT_EQ(text.Content(), third.Content()) << "batch " << batch;
  }
}

}  // namespace
