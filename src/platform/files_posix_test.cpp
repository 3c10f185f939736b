// POSIX-only behaviour of the file operations.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/real_system.h"
#include "testing/program_path.h"
#include "testing/temp_folder.h"
#include "testing/file_content.h"
#include "testing/file_size_limit_posix.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

TEST(FilesPosix, AWriteThatFailsPartWayLeavesTheEarlierFileAlone) {
  NoWineDrives noWine;
  TempFolder folder;
  const fs::path file = folder.path() / "Jan-01-M.txt";
  std::ofstream(file, std::ios::binary) << "the earlier set";
  RealSystem system;
  {
    FileSizeLimit limit(4096);
    EXPECT_THROW(system.replaceFile(programPath(file), std::string(100000, 'n')), RunTimeError);
  }
  EXPECT_EQ(contentOf(file), "the earlier set");
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder.path())) names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Jan-01-M.txt"});
}

TEST(FilesPosix, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
  NoWineDrives noWine;
  TempFolder folder;
  RealSystem system;
  const fs::path earlier = folder.path() / "earlier.txt";
  std::ofstream(earlier) << "x";
  ::chmod(earlier.c_str(), 0640);
  system.replaceFile(programPath(earlier), "new");

  const mode_t mask = ::umask(022);
  system.replaceFile(programPath(folder.path() / "fresh.txt"), "new");
  ::umask(mask);

  struct stat st {};
  ASSERT_EQ(::stat(earlier.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  ASSERT_EQ(::stat((folder.path() / "fresh.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

}  // namespace
}  // namespace kveld
