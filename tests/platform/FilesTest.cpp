#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/Exceptions.h"
#include "platform/Files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    FFolder = fs::temp_directory_path() / ("files-test-" + std::to_string(::getpid()));
    fs::create_directories(FFolder);
  }
  void TearDown() override { fs::remove_all(FFolder); }
  std::string PathOf(const char* name) const { return (FFolder / name).string(); }

  fs::path FFolder;
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

TEST(FileNameTest, SplitsOnBothSeparators) {
  EXPECT_EQ("b.2da", ExtractFileName("C:\\x\\b.2da"));
  EXPECT_EQ("b.2da", ExtractFileName("/x/b.2da"));
  EXPECT_EQ("/x/", ExtractFilePath("/x/b.2da"));
  EXPECT_EQ("", ExtractFilePath("b.2da"));
}

}  // namespace
}  // namespace platform
