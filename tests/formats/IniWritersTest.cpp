// Several writers of one INI file: processes of ours, which take the folder's lock, and
// a writer that takes none, played by a fault injector in front of fsync that rewrites
// the file while a write of ours is between its read and its rename.
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "formats/UKV_IniFile.h"
#include "platform/Exceptions.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Raises.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Runs once, at the next fsync of this process, before the data is synced.
std::function<void()> gAtNextFsync;

}  // namespace

extern "C" int fsync(int fd) {
  if (gAtNextFsync) {
    std::function<void()> inject = std::move(gAtNextFsync);
    gAtNextFsync = nullptr;
    inject();
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace {

class IniWritersTest : public ::testing::Test {
 protected:
  void SetUp() override { scratch.Write("changes.ini", "[Settings]\r\nFileExists=1\r\n"); }

  std::string ReadFile() const {
    std::ifstream in(FPath, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }

  testing_support::ScratchFolder scratch;
  std::string FPath = scratch.PathOf("changes.ini");
};

constexpr int kKeysPerWriter = 200;

TEST_F(IniWritersTest, TwoProcessesWritingOneFileLoseNothing) {
  const pid_t oneByOne = testing_support::RunInChild([this] {
    TKV_Inifile ini(FPath);
    for (int i = 0; i < kKeysPerWriter; ++i)
      ini.WriteString("Keys", "single" + std::to_string(i), "1");
  });
  const pid_t inBatches = testing_support::RunInChild([this] {
    TKV_Inifile ini(FPath);
    for (int i = 0; i < kKeysPerWriter; i += 10) {
      TIniBatch batch(ini);
      for (int j = i; j < i + 10; ++j) ini.WriteString("Keys", "batch" + std::to_string(j), "2");
      batch.UpdateFile();
    }
  });
  testing_support::ExpectChildSucceeded(oneByOne);
  testing_support::ExpectChildSucceeded(inBatches);
  TKV_Inifile ini(FPath);
  EXPECT_EQ(size_t{2 * kKeysPerWriter}, ini.ReadSection("Keys").size());
  EXPECT_EQ("1", ini.ReadString("Settings", "FileExists", ""));
}

// A writer that takes no lock replaces the file while ours is being written: the check
// just before the rename sees it, and the edit is made again on the new content.
TEST_F(IniWritersTest, AWriterWithoutTheLockIsNotOverwritten) {
  TKV_Inifile ini(FPath);
  EXPECT_EQ("1", ini.ReadString("Settings", "FileExists", ""));
  gAtNextFsync = [this] {
    std::ofstream(FPath, std::ios::binary | std::ios::app) << "[Theirs]\r\nk=1\r\n";
  };
  ini.WriteString("Settings", "Mine", "2");
  EXPECT_EQ("[Settings]\r\nFileExists=1\r\nMine=2\r\n[Theirs]\r\nk=1\r\n", ReadFile());

  // The same for the commit of a batch.
  {
    TIniBatch batch(ini);
    ini.DeleteKey("Theirs", "k");
    ini.WriteString("Settings", "Batch", "3");
    gAtNextFsync = [this] {
      std::ofstream(FPath, std::ios::binary | std::ios::app) << "[Late]\r\nk=4\r\n";
    };
    batch.UpdateFile();
  }
  EXPECT_EQ("[Settings]\r\nFileExists=1\r\nMine=2\r\nBatch=3\r\n[Theirs]\r\n[Late]\r\nk=4\r\n",
            ReadFile());
}

// Another process writes while a batch of ours is open. At our commit every key our
// edits touch must read as it did when the batch read the file; then our edits go onto
// the file as it now stands, and otherwise the commit is refused with the write error
// and the file stays as the other process left it.
TEST_F(IniWritersTest, ABatchIsRefusedWhereAnotherProcessChangedWhatItTouches) {
  using Edit = std::function<void(TKV_Inifile&)>;
  struct Case {
    const char* name;
    Edit ours;
    Edit theirs;
    const char* after;  // nothing: ours is refused and theirs stands
  };
  const std::string base = "[Settings]\r\nFileExists=1\r\n[A]\r\nx=1\r\ny=2\r\n";
  auto write = [](const char* section, const char* key, const char* value) -> Edit {
    return [=](TKV_Inifile& ini) { ini.WriteString(section, key, value); };
  };
  auto remove = [](const char* section, const char* key) -> Edit {
    return [=](TKV_Inifile& ini) { ini.DeleteKey(section, key); };
  };
  const Case cases[] = {
      {"both write one new key", write("A", "n", "mine"), write("A", "n", "theirs"), nullptr},
      {"we write the key they changed", write("A", "x", "mine"), write("A", "x", "3"), nullptr},
      {"we write the key they removed", write("A", "x", "mine"), remove("A", "x"), nullptr},
      {"we remove the key they changed", remove("A", "x"), write("A", "x", "3"), nullptr},
      {"we erase the section they added to", [](TKV_Inifile& ini) { ini.EraseSection("A"); },
       write("A", "z", "3"), nullptr},
      {"we reorder the section they changed",
       [](TKV_Inifile& ini) {
         ini.PutKeysFirst("A", {}, {{"y", "2"}});
       },
       remove("A", "x"), nullptr},
      {"they write the value the key had", write("A", "x", "mine"), write("A", "x", "1"),
       "[Settings]\r\nFileExists=1\r\n[A]\r\nx=mine\r\ny=2\r\n"},
      {"they change another key", write("A", "x", "mine"), write("A", "y", "3"),
       "[Settings]\r\nFileExists=1\r\n[A]\r\nx=mine\r\ny=3\r\n"},
      {"both add to one new section", write("B", "m", "1"), write("B", "t", "2"),
       "[Settings]\r\nFileExists=1\r\n[A]\r\nx=1\r\ny=2\r\n[B]\r\nt=2\r\nm=1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    scratch.Write("changes.ini", base);
    TKV_Inifile ini(FPath);
    std::string theirs;
    std::optional<std::string> refusal;
    {
      TIniBatch batch(ini);
      c.ours(ini);
      testing_support::ExpectChildSucceeded(testing_support::RunInChild([&] {
        TKV_Inifile other(FPath);
        c.theirs(other);
      }));
      theirs = ReadFile();
      refusal =
          testing_support::RaisedMessage<platform::EIniFileException>([&] { batch.UpdateFile(); });
    }
    if (c.after == nullptr) {
      EXPECT_EQ("Unable to write to " + FPath, refusal.value_or("nothing was refused"));
      EXPECT_EQ(theirs, ReadFile());
    } else {
      EXPECT_EQ(std::nullopt, refusal);
      EXPECT_EQ(c.after, ReadFile());
    }
  }
}

}  // namespace
