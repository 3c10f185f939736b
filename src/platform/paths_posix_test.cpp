#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/paths.h"
#include "platform/run_time_error.h"
#include "testing/temp_folder.h"
#include "testing/wine_drives.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

struct NativePathTest : ::testing::Test {
  NativePathTest() {
    e = drives.addDrive('e');
    WineDrives::folder(e, "Games/DeepFinesse/Deal Archive");
    WineDrives::folder(e, "Games/DeepFinesse/Deal Archives");
    WineDrives::file(e, "Games/DeepFinesse/dfinesse.exe");
    WineDrives::folder(e, "Tools/dealar~1");
    WineDrives::folder(e, "Tools/Deal Archive");
    WineDrives::folder(e, "Case/Same");
    WineDrives::folder(e, "Case/same");
    WineDrives::folder(e, "Case/SAME");
    WineDrives::folder(e, "Case/Other");
    WineDrives::file(e, "Case/other");
  }
  WineDrives drives;
  fs::path e;
  std::string E(const std::string& relative) const { return drives.link('e').string() + relative; }
};

TEST_F(NativePathTest, ComponentsResolveAsOnWindows) {
  struct Case {
    const char* programPath;
    std::string native;
  } cases[] = {
      {"E:\\Games\\DeepFinesse", E("/Games/DeepFinesse")},
      {"e:\\games\\DEEPFINESSE\\DFINESSE.EXE", E("/Games/DeepFinesse/dfinesse.exe")},
      {"E:/Games/DeepFinesse", E("/Games/DeepFinesse")},
      {"E:\\\\Games\\\\DeepFinesse\\", E("/Games/DeepFinesse")},
      // The 8.3 alias reaches the long name: the first of a kind in name order.
      {"E:\\Games\\DeepFinesse\\DEALAR~1", E("/Games/DeepFinesse/Deal Archive")},
      {"E:\\Games\\DeepFinesse\\dealar~2\\Jan-01-M.txt", E("/Games/DeepFinesse/Deal Archives/Jan-01-M.txt")},
      // A name that is its own 8.3 name is matched first; the long one is ~2.
      {"E:\\Tools\\DEALAR~1", E("/Tools/dealar~1")},
      {"E:\\Tools\\DEALAR~2", E("/Tools/Deal Archive")},
      // Trailing blanks and dots are dropped, "." and ".." taken as Windows does.
      {"E:\\Games.\\DeepFinesse . \\dfinesse.exe.", E("/Games/DeepFinesse/dfinesse.exe")},
      {"E:\\Games\\.\\Tools\\..\\DeepFinesse", E("/Games/DeepFinesse")},
      {"E:\\..\\..\\Games", E("/Games")},
      // The exact name wins over other cases; else the first in name order.
      {"E:\\Case\\same", E("/Case/same")},
      {"E:\\Case\\sAmE", E("/Case/SAME")},
      {"E:\\Case\\OTHER", E("/Case/Other")},
      // What is not there is kept as given, and so is all that follows it.
      {"E:\\Games\\DeepFinesse\\DEALAR~1\\Jan-01-M.txt", E("/Games/DeepFinesse/Deal Archive/Jan-01-M.txt")},
      {"E:\\Missing\\games\\New File.TXT", E("/Missing/games/New File.TXT")},
      {"E:\\Games\\DEALAR~1\\x", E("/Games/DEALAR~1/x")},
      {"E:", E("")},
      {"E:\\", E("")},
  };
  for (const Case& c : cases) EXPECT_EQ(nativePath(c.programPath), c.native) << c.programPath;
}

TEST_F(NativePathTest, BareNamesStayInTheCurrentFolder) {
  TempFolder here;
  WineDrives::file(here.path(), "Kveld.Ini");
  WineDrives::folder(here.path(), "Deal Archive");
  EXPECT_EQ(nativePath("KVELD.INI"), "Kveld.Ini");
  EXPECT_EQ(nativePath("df_find"), "df_find");
  EXPECT_EQ(nativePath("DEALAR~1\\x.txt"), "Deal Archive/x.txt");
  EXPECT_EQ(nativePath(".\\kveld.ini "), "Kveld.Ini");
  EXPECT_EQ(nativePath("..\\x"), "../x");
}

// A settings file edited by hand in UTF-8 names its folders in UTF-8; a name
// that is not such UTF-8 is code page 437, as the program writes it.
TEST_F(NativePathTest, NamesInUtf8OrCodePage437) {
  WineDrives::folder(e, "Bj\xC3\xB8rn/\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0");
  WineDrives::folder(e, "D\xC3\xA9j\xC3\xA0");
  EXPECT_EQ(nativePath("E:\\Bj\xC3\xB8rn\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"),
            E("/Bj\xC3\xB8rn/\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"));
  EXPECT_EQ(nativePath("E:\\D\xC3\xA9j\xC3\xA0"), E("/D\xC3\xA9j\xC3\xA0"));  // UTF-8
  EXPECT_EQ(nativePath("E:\\D\x82j\x85"), E("/D\xC3\xA9j\xC3\xA0"));          // code page 437
  EXPECT_EQ(nativePath("E:\\d\x90J\x85"), E("/D\xC3\xA9j\xC3\xA0"));          // in another case
}

TEST_F(NativePathTest, ForbiddenCharactersFailAsAnInvalidName) {
  for (const char* path : {"E:\\Games\\Deal?", "E:\\a*b", "E:\\a<b", "E:\\a>b", "E:\\a|b", "E:\\a\"b",
                           "E:\\a:b", "E:\\a\tb", "kveld\x01.ini", "C:\\x\\y:"}) {
    try {
      nativePath(path);
      ADD_FAILURE() << path << " was accepted";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.number(), err::kPathFileAccess) << path;
    }
  }
}

TEST_F(NativePathTest, DriveLetters) {
  // A letter without a link is a drive that does not exist; C: without a
  // link is the root of the file system.
  for (const char* path : {"F:\\x", "f:", "Q:\\Games"}) {
    try {
      nativePath(path);
      ADD_FAILURE() << path << " was accepted";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.number(), err::kPathNotFound) << path;
    }
  }
  EXPECT_EQ(nativePath("C:\\tmp"), "/tmp");
  EXPECT_EQ(nativePath("\\tmp"), "/tmp");
  // A link is the drive, whatever it points to; a link to nothing is no drive.
  const fs::path c = drives.addDrive('c');
  WineDrives::folder(c, "windows");
  EXPECT_EQ(nativePath("C:\\WINDOWS"), drives.link('c').string() + "/windows");
  fs::create_directory_symlink(drives.base() / "nowhere", drives.link('g'));
  EXPECT_THROW(nativePath("G:\\x"), RunTimeError);
}

// Windows numbers the aliases of one kind in the order the names were made:
// a later "Deal Ar 2019" beside "Deal Archive" must not take DEALAR~1,
// although it comes first in name order.
TEST_F(NativePathTest, AliasesFollowTheOrderTheNamesWereMade) {
  using namespace std::chrono_literals;
  const auto makeInOrder = [&](const std::string& folder, const std::vector<std::string>& names) {
    auto when = fs::file_time_type::clock::now() - 1h;
    for (const std::string& name : names) {
      WineDrives::folder(e, folder + "/" + name);
      fs::last_write_time(e / folder / name, when);  // for file systems that keep no birth time
      when += 1min;
      std::this_thread::sleep_for(20ms);  // birth times a clock tick apart
    }
  };
  makeInOrder("Old first", {"Deal Archive", "Deal Ar 2019"});
  makeInOrder("New first", {"Deal Ar 2019", "Deal Archive"});
  EXPECT_EQ(nativePath("E:\\Old first\\DEALAR~1"), E("/Old first/Deal Archive"));
  EXPECT_EQ(nativePath("E:\\Old first\\DEALAR~2"), E("/Old first/Deal Ar 2019"));
  EXPECT_EQ(nativePath("E:\\New first\\DEALAR~1"), E("/New first/Deal Ar 2019"));
  EXPECT_EQ(nativePath("E:\\New first\\DEALAR~2"), E("/New first/Deal Archive"));
}

TEST(NativePathPrefix, WinePrefixDefaultsToTheHomeFolder) {
  WineDrives drives;  // keeps and restores WINEPREFIX
  const fs::path home = drives.base() / "home";
  fs::create_directories(home / ".wine" / "dosdevices");
  fs::create_directories(home / "drive_d");
  fs::create_directory_symlink(home / "drive_d", home / ".wine" / "dosdevices" / "d:");
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  unsetenv("WINEPREFIX");
  setenv("HOME", home.c_str(), 1);
  const std::string native = nativePath("D:\\x");
  setenv("HOME", savedHome.c_str(), 1);
  EXPECT_EQ(native, (home / ".wine" / "dosdevices" / "d:").string() + "/x");
}

}  // namespace
}  // namespace kveld
