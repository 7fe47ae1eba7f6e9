#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "tests/platform/FaultInjector.h"
#include "tests/support/ScratchFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FilesTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return scratch.PathOf(name); }
  // The names in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FFolder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  testing_support::ScratchFolder scratch;
  fs::path FFolder{scratch.Path()};
};

TEST_F(FilesTest, ReplaceWritesTheWholeContentAndKeepsPermissions) {
  const std::string path = PathOf("a.txt");
  ReplaceFile(path, "first");
  ::chmod(path.c_str(), 0640);
  ReplaceFile(path, std::string("second\0bytes", 12));
  EXPECT_EQ(std::string("second\0bytes", 12), ReadWholeFile(path));
  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(0640u, info.st_mode & 0777);
  EXPECT_EQ(1, std::distance(fs::directory_iterator(FFolder), fs::directory_iterator{}))
      << "no temporary left";
}

TEST_F(FilesTest, ReplaceFailsWithoutTouchingAnything) {
  EXPECT_FALSE(TryReplaceFile(PathOf("missing/a.txt"), "x"));
  EXPECT_FALSE(TryReplaceFile("", "x"));
  EXPECT_FALSE(TryReplaceFile(PathOf("missing/"), "x"));
  fs::create_directory(PathOf("folder"));
  EXPECT_THROW(ReplaceFile(PathOf("folder"), "x"), EFCreateError);
  EXPECT_TRUE(DirectoryExists(PathOf("folder")));
}

TEST_F(FilesTest, ReplaceThroughALinkReplacesItsTarget) {
  const std::string target = PathOf("target.ini");
  const std::string link = PathOf("link.ini");
  ReplaceFile(target, "old");
  fs::create_symlink(target, link);
  ReplaceFile(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ("new", ReadWholeFile(target));
}

TEST_F(FilesTest, ReadingAMissingFileRaisesTheOpenError) {
  try {
    ReadWholeFile(PathOf("none"));
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ("Cannot open file \"" + PathOf("none") + "\". No such file or directory",
              e.Message());
  }
  EXPECT_FALSE(FileExists(PathOf("none")));
  EXPECT_FALSE(FileExists(FFolder.string()));
}

// A pipe or a device would block the program or fill its memory: only regular files
// are read.
TEST_F(FilesTest, ReadingSomethingElseThanAFileRaisesTheOpenError) {
  const std::string fifo = PathOf("pipe.2da");
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  // A writer that opens the pipe and closes it at once: read through, the pipe is empty.
  std::atomic<bool> written{false};
  std::thread writer([&] {
    ::close(::open(fifo.c_str(), O_WRONLY));
    written = true;
  });
  EXPECT_THROW(ReadWholeFile(fifo), EFOpenError);
  // Releases the writer, which waits for a reader to open the pipe.
  while (!written) {
    ::close(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  writer.join();
  EXPECT_THROW(ReadWholeFile("/dev/null"), EFOpenError);
  EXPECT_THROW(ReadWholeFile(FFolder.string()), EFOpenError);
}

using fault_injection::Call;
using fault_injection::Fault;
using fault_injection::ScopedFault;
using testing::ElementsAre;
using testing::SizeIs;

// Runs `work` in a child process; the child ends with 0 when `work` returns.
pid_t RunInChild(const std::function<void()>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      work();
      ::_exit(0);
    } catch (...) {
      ::_exit(1);
    }
  }
  return child;
}

int WaitFor(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

// A pipe on which one process waits for the other's signal.
class Signal {
 public:
  Signal() { EXPECT_EQ(0, ::pipe(FEnds)); }
  ~Signal() {
    ::close(FEnds[0]);
    ::close(FEnds[1]);
  }
  void Give() { EXPECT_EQ(1, ::write(FEnds[1], "x", 1)); }
  // After the fork, in the process that only waits: a child that ends without giving
  // the signal then ends the wait.
  void OnlyAwait() { ::close(std::exchange(FEnds[1], -1)); }
  // False when no signal can come any more.
  bool Await() {
    char byte;
    ssize_t got;
    while ((got = ::read(FEnds[0], &byte, 1)) < 0 && errno == EINTR) {
    }
    return got == 1;
  }

 private:
  int FEnds[2] = {-1, -1};
};

// The folder without unnamed temporary files: every save names its temporary file.
Fault WithoutUnnamedFiles() { return {.call = Call::OpenUnnamed, .error = EOPNOTSUPP}; }

TEST_F(FilesTest, EveryFailingStepLeavesTheOldFileWholeAndNoTemporary) {
  struct Case {
    const char* name;
    Fault fault;
    const char* reason;
  };
  const Case cases[] = {
      {"write fails", {.call = Call::Write, .error = ENOSPC}, "No space left on device"},
      // Taken for progress, it would make the save spin for ever.
      {"write makes no progress",
       {.call = Call::Write, .error = 0, .times = 100},
       "Input/output error"},
      {"fsync fails", {.call = Call::Fsync, .error = EIO}, "Input/output error"},
      {"rename fails", {.call = Call::Rename, .error = EIO}, "Input/output error"},
  };
  const std::string path = PathOf("table.tlk");
  ReplaceFile(path, "old");
  for (bool named : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (named ? ", named temporary" : ""));
      std::optional<ScopedFault> noUnnamed;
      if (named) noUnnamed.emplace(WithoutUnnamedFiles());
      ScopedFault fault(c.fault);
      try {
        ReplaceFile(path, "new content");
        ADD_FAILURE() << "saved";
      } catch (const EInOutError& e) {
        EXPECT_EQ("I/O error on file \"" + path + "\". " + c.reason, e.Message());
      }
      EXPECT_EQ("old", ReadWholeFile(path));
      EXPECT_THAT(Entries(), ElementsAre("table.tlk"));
    }
  }
}

// Killed while it writes, a save leaves no temporary file where the file system gives
// unnamed ones; where it does not, the next save removes what the killed one left.
TEST_F(FilesTest, AKilledSaveLeavesNothingBehindOrItIsRemovedByTheNextSave) {
  const std::string path = PathOf("table.tlk");
  for (bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporary" : "unnamed temporary");
    ReplaceFile(path, "old");
    const pid_t child = RunInChild([&] {
      std::optional<ScopedFault> noUnnamed;
      if (named) noUnnamed.emplace(WithoutUnnamedFiles());
      ScopedFault kill({.call = Call::Write, .action = [] { ::raise(SIGKILL); }});
      ReplaceFile(path, "new");
    });
    const int status = WaitFor(child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ("old", ReadWholeFile(path));
    EXPECT_THAT(Entries(), SizeIs(named ? 2 : 1));
    ReplaceFile(path, "next");
    EXPECT_THAT(Entries(), ElementsAre("table.tlk"));
  }
}

// A second process stopped in the middle of its save keeps its temporary file through a
// save of ours, and then completes its own.
TEST_F(FilesTest, ASaveNeverRemovesTheTemporaryFileOfALiveSave) {
  struct Case {
    const char* name;
    bool named;
    Call stopAt;  // where the other save waits, its temporary file named
  };
  const Case cases[] = {{"named at creation", true, Call::Write},
                        {"named when complete", false, Call::Rename}};
  const std::string path = PathOf("changes.ini");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReplaceFile(path, "old");
    Signal stopped, release;
    const pid_t child = RunInChild([&] {
      std::optional<ScopedFault> noUnnamed;
      if (c.named) noUnnamed.emplace(WithoutUnnamedFiles());
      ScopedFault wait({.call = c.stopAt, .times = 1, .action = [&] {
                          stopped.Give();
                          release.Await();
                        }});
      ReplaceFile(path, "theirs");
    });
    stopped.OnlyAwait();
    if (!stopped.Await()) {
      ADD_FAILURE() << "their save never stopped with its temporary file named";
      WaitFor(child);
      continue;
    }
    EXPECT_THAT(Entries(), SizeIs(2)) << "their temporary file";
    ReplaceFile(path, "ours");
    EXPECT_EQ("ours", ReadWholeFile(path));
    EXPECT_THAT(Entries(), SizeIs(2)) << "their temporary file is still there";
    release.Give();
    const int status = WaitFor(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "their save succeeded";
    EXPECT_EQ("theirs", ReadWholeFile(path));
    EXPECT_THAT(Entries(), ElementsAre("changes.ini"));
  }
}

// The temporary file's name does not grow with the target's: every name the file system
// accepts can be saved.
TEST_F(FilesTest, ALongestNameCanBeSaved) {
  const std::string name(255, 'n');
  ReplaceFile(PathOf(name), "first");
  ReplaceFile(PathOf(name), "second");
  EXPECT_EQ("second", ReadWholeFile(PathOf(name)));
  EXPECT_THAT(Entries(), ElementsAre(name));
  try {
    ReplaceFile(PathOf(name + "x"), "x");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ("Cannot create file \"" + PathOf(name + "x") + "\". File name too long", e.Message());
  }
}

TEST_F(FilesTest, WithoutAWayToNameAnUnnamedFileTheSaveNamesItsTemporary) {
  const std::string path = PathOf("table.tlk");
  ScopedFault noProc({.call = Call::Link, .error = ENOENT});
  ReplaceFile(path, "content");
  EXPECT_EQ(1, noProc.Hits());
  EXPECT_EQ("content", ReadWholeFile(path));
  EXPECT_THAT(Entries(), ElementsAre("table.tlk"));
}

// A link that leads nowhere is refused with its reason rather than replaced by a file.
TEST_F(FilesTest, ALinkThatLeadsNowhereIsRefusedAndStays) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link, where it points
    const char* reason;
  };
  const Case cases[] = {
      {"dangling", {{"link.ini", "missing.ini"}}, "No such file or directory"},
      {"into a missing folder", {{"link.ini", "missing/x.ini"}}, "No such file or directory"},
      {"loop",
       {{"link.ini", "other.ini"}, {"other.ini", "link.ini"}},
       "Too many levels of symbolic links"},
  };
  const std::string link = PathOf("link.ini");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& [name, to] : c.links) fs::create_symlink(to, FFolder / name);
    try {
      ReplaceFile(link, "x");
      ADD_FAILURE() << "saved";
    } catch (const EFCreateError& e) {
      EXPECT_EQ("Cannot create file \"" + link + "\". " + c.reason, e.Message());
    }
    std::string reason;
    EXPECT_FALSE(TryReplaceFile(link, "x", &reason));
    EXPECT_EQ(c.reason, reason);
    EXPECT_EQ(c.links.front().second, fs::read_symlink(link).string());
    EXPECT_THAT(Entries(), SizeIs(c.links.size())) << "nothing created";
    for (const auto& [name, to] : c.links) fs::remove(FFolder / name);
  }
}

TEST_F(FilesTest, ASaveOntoSomethingElseThanAFileNamesWhatStandsThere) {
  ASSERT_EQ(0, ::mkfifo(PathOf("pipe.ini").c_str(), 0600));
  fs::create_directory(PathOf("folder.tlk"));
  const std::pair<std::string, std::string> cases[] = {
      {PathOf("pipe.ini"), "Is a named pipe"},
      {"/dev/null", "Is a character device"},
      {PathOf("folder.tlk"), "Is a directory"},
  };
  for (const auto& [path, reason] : cases) {
    try {
      ReplaceFile(path, "x");
      ADD_FAILURE() << path;
    } catch (const EFCreateError& e) {
      EXPECT_EQ("Cannot create file \"" + path + "\". " + reason, e.Message());
    }
  }
  EXPECT_TRUE(fs::is_fifo(PathOf("pipe.ini")));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// A writable file in a folder that takes no new files: the save still goes through a
// temporary file, and the message says that the folder refused it.
TEST_F(FilesTest, AFolderThatRefusesTheTemporaryFileIsNamed) {
  const std::string path = PathOf("table.tlk");
  ReplaceFile(path, "old");
  ScopedFault noUnnamed({.call = Call::OpenUnnamed, .error = EACCES});
  ScopedFault noNamed({.call = Call::CreateNamed, .error = EACCES});
  try {
    ReplaceFile(path, "new");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ("Cannot create a temporary file in the folder \"" + FFolder.string() +
                  "\" to save \"" + path + "\". Permission denied",
              e.Message());
  }
  EXPECT_EQ("old", ReadWholeFile(path));
}

TEST_F(FilesTest, AReadOnlyFolderIsNamed) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const std::string path = PathOf("table.tlk");
  ReplaceFile(path, "old");
  ASSERT_EQ(0, ::chmod(FFolder.c_str(), 0555));
  try {
    ReplaceFile(path, "new");
    ADD_FAILURE() << "saved";
  } catch (const EFCreateError& e) {
    EXPECT_EQ("Cannot create a temporary file in the folder \"" + FFolder.string() +
                  "\" to save \"" + path + "\". Permission denied",
              e.Message());
  }
  ::chmod(FFolder.c_str(), 0755);
  EXPECT_EQ("old", ReadWholeFile(path));
}

TEST(FileNameTest, SplitsOnBothSeparators) {
  EXPECT_EQ("b.2da", ExtractFileName("C:\\x\\b.2da"));
  EXPECT_EQ("b.2da", ExtractFileName("/x/b.2da"));
  EXPECT_EQ("/x/", ExtractFilePath("/x/b.2da"));
  EXPECT_EQ("", ExtractFilePath("b.2da"));
}

}  // namespace
}  // namespace platform
