// Several writers of one INI file: processes of ours, which take the folder's lock, and
// a writer that takes none, played by a fault injector in front of fsync that rewrites
// the file while a write of ours is between its read and its rename.
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "formats/UKV_IniFile.h"
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

  // Runs `work` in a child process; returns its process id.
  static pid_t Spawn(const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
      int status = 0;
      try {
        work();
      } catch (...) {
        status = 1;
      }
      ::_exit(status);
    }
    return child;
  }
  static void ExpectSuccess(pid_t child) {
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
  }

  testing_support::ScratchFolder scratch;
  std::string FPath = scratch.PathOf("changes.ini");
};

constexpr int kKeysPerWriter = 200;

TEST_F(IniWritersTest, TwoProcessesWritingOneFileLoseNothing) {
  const pid_t oneByOne = Spawn([this] {
    TKV_Inifile ini(FPath);
    for (int i = 0; i < kKeysPerWriter; ++i)
      ini.WriteString("Keys", "single" + std::to_string(i), "1");
  });
  const pid_t inBatches = Spawn([this] {
    TKV_Inifile ini(FPath);
    for (int i = 0; i < kKeysPerWriter; i += 10) {
      TIniBatch batch(ini);
      for (int j = i; j < i + 10; ++j) ini.WriteString("Keys", "batch" + std::to_string(j), "2");
      batch.UpdateFile();
    }
  });
  ExpectSuccess(oneByOne);
  ExpectSuccess(inBatches);
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

}  // namespace
