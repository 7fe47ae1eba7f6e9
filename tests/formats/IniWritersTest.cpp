// Several writers of one INI file: processes of ours, which take the folder's lock, and
// a writer that takes none, played by a fault injector in front of fsync that rewrites
// the file while a write of ours is between its read and its rename.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "formats/UKV_IniFile.h"
#include "platform/Exceptions.h"
#include "platform/PrivateProfile.h"
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

// A writer that names the file through a link takes the lock of the folder the file is
// in, as one that names it directly does: both paths share one lock. A link may stand in
// another folder, lead to another link, or be a folder's.
TEST_F(IniWritersTest, ALinkAndTheFileShareOneLock) {
  const std::string other = scratch.PathOf("elsewhere");
  std::filesystem::create_directory(other);
  std::filesystem::create_symlink(FPath, other + "/changes.ini");
  std::filesystem::create_symlink(other + "/changes.ini", other + "/again.ini");
  std::filesystem::create_directory_symlink(scratch.Path(), other + "/mod");
  const char* names[] = {"changes.ini", "again.ini", "mod/changes.ini"};
  const int folder = ::open(scratch.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  for (const char* name : names) {
    platform::FolderLock lock(other + "/" + name);
    if (::flock(folder, LOCK_EX | LOCK_NB) == 0) {
      ADD_FAILURE() << name << " locks another folder";
      ::flock(folder, LOCK_UN);
    } else {
      EXPECT_EQ(EWOULDBLOCK, errno) << name;
    }
  }
  ASSERT_EQ(0, ::flock(folder, LOCK_EX | LOCK_NB)) << "the lock is given back";
  ::close(folder);
}

TEST_F(IniWritersTest, WritersThroughALinkAndTheFileLoseNothing) {
  constexpr int kKeys = 300;
  const std::string other = scratch.PathOf("elsewhere");
  std::filesystem::create_directory(other);
  const std::string link = other + "/changes.ini";
  std::filesystem::create_symlink(FPath, link);
  auto writer = [](const std::string& path, const std::string& prefix) {
    return [path, prefix] {
      TKV_Inifile ini(path);
      for (int i = 0; i < kKeys; ++i) ini.WriteString("Keys", prefix + std::to_string(i), "1");
    };
  };
  const pid_t direct = testing_support::RunInChild(writer(FPath, "direct"));
  const pid_t linked = testing_support::RunInChild(writer(link, "linked"));
  testing_support::ExpectChildSucceeded(direct);
  testing_support::ExpectChildSucceeded(linked);
  TKV_Inifile ini(FPath);
  EXPECT_EQ(size_t{2 * kKeys}, ini.ReadSection("Keys").size());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
}

}  // namespace
