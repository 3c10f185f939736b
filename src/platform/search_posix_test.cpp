#include <gtest/gtest.h>
#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#endif
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

#include "platform/real_system.h"
#include "testing/temp_folder.h"
#include "testing/wine_drives.h"
#include "testing/file_content.h"
#include "testing/watchdog.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

void setAge(const fs::path& path, int minutesAgo) {
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

struct DriveListingTest : ::testing::Test {
  WineDrives drives;
  TempFolder here;
  RealSystem system;
  std::string listing(const std::string& driveSpec) {
    system.listDrive(driveSpec, "DEALAR~1", "df_find");
    return contentOf(here.path() / "df_find");
  }
};

TEST_F(DriveListingTest, LinesAsTheWindowsListingWritesThem) {
  const fs::path e = drives.addDrive('e');
  WineDrives::folder(e, "DEALAR~1");        // at the root
  WineDrives::folder(e, "A/DF/DEALAR~1");   // its own name
  WineDrives::folder(e, "b/Deal Archive");  // an alias
  WineDrives::folder(e, "b/x/dealar~1");    // in any case
  WineDrives::folder(e, "C/Deal Archive");  // ~2 here: the 8.3 name below has ~1
  WineDrives::folder(e, "C/DEALAR~1");
  WineDrives::file(e, "D/DEALAR~1");     // a file is an entry too
  WineDrives::folder(e, "D2/De al Ar");  // an alias not beginning with "Deal"
  WineDrives::folder(e, "N/DEALAR~1");   // two of one folder: newest first
  WineDrives::folder(e, "N/dealar~1");
  setAge(e / "N/DEALAR~1", 5);
  setAge(e / "N/dealar~1", 60);
  WineDrives::folder(e, "P/DEALAR~1/DEALAR~1");  // a folder's own entries before its subfolders
  WineDrives::folder(e, "P/a/DEALAR~1");
  WineDrives::folder(e, "D\xC3\xA9j\xC3\xA0/Deal Archive");  // code page 437 in the listing
  WineDrives::folder(e, "quiet/DEALAR~1.txt");               // another short name
  WineDrives::folder(e, "quiet/Deal Archive.txt");
  WineDrives::folder(e, "quiet/xDEALAR~1");
  WineDrives::folder(e, "quiet/a\r\nE:\\DF/DEALAR~1");  // names no listing line can carry
  WineDrives::folder(e, "quiet/DEALAR~1\r\nE:\\DF\\DEALAR~1");
  // Links below the root are not followed, but a link is an entry.
  fs::create_directories(e / "Z");
  fs::create_directory_symlink(e / "A", e / "Z/to A");
  fs::create_directory_symlink(e / "b", e / "Z/DEALAR~1");

  EXPECT_EQ(listing("E:"),
            "E:\\DEALAR~1\r\n"
            "E:\\A\\DF\\DEALAR~1\r\n"
            "E:\\b\\Deal Archive\r\n"
            "E:\\b\\x\\dealar~1\r\n"
            "E:\\C\\DEALAR~1\r\n"
            "E:\\D\\DEALAR~1\r\n"
            "E:\\D2\\De al Ar\r\n"
            "E:\\D\x82j\x85\\Deal Archive\r\n"
            "E:\\N\\DEALAR~1\r\n"
            "E:\\N\\dealar~1\r\n"
            "E:\\P\\DEALAR~1\r\n"
            "E:\\P\\a\\DEALAR~1\r\n"
            "E:\\P\\DEALAR~1\\DEALAR~1\r\n"
            "E:\\Z\\DEALAR~1\r\n");

  // The newest first, whatever the names.
  setAge(e / "N/DEALAR~1", 90);
  const std::string again = listing("E:");
  EXPECT_NE(again.find("E:\\N\\dealar~1\r\nE:\\N\\DEALAR~1\r\n"), std::string::npos) << again;
}

// The listing takes the entry whose alias is DEALAR~1 by the order the names
// were made, not by name order.
TEST_F(DriveListingTest, TheFirstMadeOfAKindIsListed) {
  const fs::path e = drives.addDrive('e');
  WineDrives::folder(e, "DF/Deal Archive");
  setAge(e / "DF/Deal Archive", 60);  // for file systems that keep no birth time
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  WineDrives::folder(e, "DF/Deal Ar 2019");
  EXPECT_EQ(listing("E:"), "E:\\DF\\Deal Archive\r\n");
}

// Whatever has the scratch file's name is replaced by a new file of the
// listing's own: a link planted there is not written through, a FIFO not
// waited on.
TEST_F(DriveListingTest, TheScratchFileIsMadeAfresh) {
  const fs::path e = drives.addDrive('e');
  WineDrives::folder(e, "DF/DEALAR~1");
  std::ofstream(here.path() / "notes.txt") << "my notes";
  fs::create_symlink(here.path() / "notes.txt", here.path() / "df_find");
  EXPECT_EQ(listing("E:"), "E:\\DF\\DEALAR~1\r\n");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(here.path() / "df_find")));
  EXPECT_EQ(contentOf(here.path() / "notes.txt"), "my notes");

  fs::remove(here.path() / "df_find");
  ASSERT_EQ(::mkfifo((here.path() / "df_find").c_str(), 0600), 0);
  {
    Watchdog limit(std::chrono::seconds(20), "writing the listing where a FIFO was");
    EXPECT_EQ(listing("E:"), "E:\\DF\\DEALAR~1\r\n");
  }
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(here.path() / "df_find")));
}

// Names code page 437 cannot write are passed over with all they hold, as
// names Windows cannot hold are: their paths would fail once written into
// the settings file.
TEST_F(DriveListingTest, NamesOutsideCodePage437ArePassedOver) {
  const fs::path e = drives.addDrive('e');
  WineDrives::folder(e, "Bj\xC3\xB8rn/DF/DEALAR~1");                              // o with a stroke
  WineDrives::folder(e, "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0/DF/DEALAR~1");  // Cyrillic
  WineDrives::folder(e, "bad\xFF\xFE/DF/DEALAR~1");                               // not UTF-8
  WineDrives::folder(e, "\xCE\x98\xC3\xBC\xC3\xA9/DF/DEALAR~1");  // code page 437 bytes that read as UTF-8
  WineDrives::folder(e, "M\xC3\xBCller/DF/DEALAR~1");             // in code page 437
  EXPECT_EQ(listing("E:"), "E:\\M\x81ller\\DF\\DEALAR~1\r\n");
}

// Takes from this thread, for one test, the super-user's right to read and
// enter any folder, so that permissions hold it back as they do any user;
// gives it back at the end.
class WithoutReadOverride {
 public:
  WithoutReadOverride() {
#ifdef __linux__
    if (syscall(SYS_capget, &header_, before_) != 0) return;
    __user_cap_data_struct lowered[2] = {before_[0], before_[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
#endif
  }
  ~WithoutReadOverride() {
#ifdef __linux__
    if (lowered_) syscall(SYS_capset, &header_, before_);
#endif
  }
  WithoutReadOverride(const WithoutReadOverride&) = delete;
  WithoutReadOverride& operator=(const WithoutReadOverride&) = delete;

 private:
#ifdef __linux__
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct before_[2]{};
  bool lowered_ = false;
#endif
};

TEST_F(DriveListingTest, FoldersThatCannotBeReadArePassedOver) {
  const WithoutReadOverride asAnyUser;
  const fs::path e = drives.addDrive('e');
  WineDrives::folder(e, "a/DEALAR~1");
  WineDrives::folder(e, "locked/DEALAR~1");
  WineDrives::folder(e, "z/DEALAR~1");
  fs::permissions(e / "locked", fs::perms::none);
  const std::string lines = listing("E:");
  fs::permissions(e / "locked", fs::perms::owner_all);
  EXPECT_EQ(lines, "E:\\a\\DEALAR~1\r\nE:\\z\\DEALAR~1\r\n");
}

TEST_F(DriveListingTest, AMissingOrEmptyDriveGivesAnEmptyListing) {
  drives.addDrive('e');
  WineDrives::file(here.path(), "df_find");  // an old scratch file is emptied
  EXPECT_EQ(listing("E:"), "");
  EXPECT_EQ(listing("F:"), "");
}

// Lowers the soft limit on open files for one test, and puts it back.
class OpenFileLimit {
 public:
  explicit OpenFileLimit(rlim_t files) {
    getrlimit(RLIMIT_NOFILE, &before_);
    rlimit lowered = before_;
    lowered.rlim_cur = std::min(files, before_.rlim_max);
    EXPECT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
  }
  ~OpenFileLimit() { setrlimit(RLIMIT_NOFILE, &before_); }
  OpenFileLimit(const OpenFileLimit&) = delete;
  OpenFileLimit& operator=(const OpenFileLimit&) = delete;

 private:
  rlimit before_{};
};

TEST_F(DriveListingTest, DeepTreesAreWalkedAsFarAsAPathReaches) {
  const fs::path e = drives.addDrive('e');
  // A walk that held a descriptor for every level of 300 would run out
  // under this limit and pass the deepest folders over.
  const OpenFileLimit limit(256);
  std::string relative;
  std::string expected = "E:";
  for (int depth = 0; depth < 300; ++depth) {
    relative += "f/";
    expected += "\\f";
  }
  WineDrives::folder(e, relative + "DEALAR~1");
  // 5,600 bytes deep, past the longest path the system opens: not found.
  fs::current_path(e);
  for (int depth = 0; depth < 140; ++depth) fs::current_path(WineDrives::folder(".", std::string(39, 'g')));
  WineDrives::folder(".", "DEALAR~1");
  fs::current_path(here.path());
  EXPECT_EQ(listing("E:"), expected + "\\DEALAR~1\r\n");
}

TEST(FindFirstFile, FirstRegularFileInNameOrder) {
  WineDrives drives;
  const fs::path e = drives.addDrive('e');
  RealSystem system;
  WineDrives::folder(e, "DF/da.exe");  // a folder
  WineDrives::file(e, "DF/dinfo.exe");
  WineDrives::file(e, "DF/d0\\..\\a.exe");  // names Windows holds none of
  WineDrives::file(e, "DF/Dfinesse.EXE");
  WineDrives::file(e, "DF/readme.txt");
  fs::create_symlink(e / "DF/gone", e / "DF/daa.exe");  // leads nowhere
  WineDrives::file(e, "Other/setup.exe");
  WineDrives::file(e, "Other/d.exe.txt");
  WineDrives::file(e, "Linked/real/dx.exe");
  fs::create_symlink(e / "Linked/real/dx.exe", e / "Linked/db.exe");

  // A folder and the file found in it.
  const std::pair<const char*, const char*> cases[] = {
      {"E:\\DF", "Dfinesse.EXE"},
      {"e:\\df\\", "Dfinesse.EXE"},
      {"E:\\Other", ""},
      {"E:\\Linked", "db.exe"},
  };
  for (const auto& [folder, found] : cases) EXPECT_EQ(system.findFirstFile(folder, "d*.exe"), found) << folder;

  try {
    system.findFirstFile("E:\\Nowhere", "d*.exe");
    ADD_FAILURE() << "a missing folder was searched";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.number(), err::kPathNotFound);
  }
}

}  // namespace
}  // namespace kveld
