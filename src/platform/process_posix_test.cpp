// Starting programs on POSIX systems, through real processes.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/real_system.h"
#include "testing/program_path.h"
#include "testing/temp_folder.h"
#include "testing/watchdog.h"
#include "testing/file_content.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

void putFile(const fs::path& p, const std::string& bytes, mode_t mode) {
  std::ofstream(p, std::ios::binary) << bytes;
  ::chmod(p.c_str(), mode);
}

// A stand-in that records its working folder and arguments into `log`,
// after a short pause, so that the log exists only if the caller waited.
std::string recorder(const fs::path& log) {
  return "#!/bin/sh\nsleep 0.2\n{ pwd -P; echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > '" +
         log.string() + "'\n";
}

class PathSetting {
 public:
  explicit PathSetting(const std::string& value) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    setenv("PATH", value.c_str(), 1);
  }
  ~PathSetting() { setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

struct ProcessPosixTest : ::testing::Test {
  ProcessPosixTest() {
    fs::create_directories(df);
    fs::create_directories(bin);
  }
  NoWineDrives noWine;
  TempFolder folder;
  fs::path root = fs::canonical(folder.path());
  fs::path df = root / "Deep Finesse";
  fs::path bin = root / "bin";
  fs::path log = root / "log.txt";
  RealSystem system;
  Watchdog watchdog{60s, "a started program did not end"};
};

TEST_F(ProcessPosixTest, ProgramsStartInTheirFolderWithoutArguments) {
  const struct {
    const char* name;
    std::string content;  // of DF.EXE
    mode_t mode;
    bool wineOnPath;
    std::string expected;  // the log; empty: nothing started
  } cases[] = {
      {"an executable script starts directly", recorder(log), 0755, true, df.string() + "\n0\n"},
      {"a Windows program starts through wine", std::string("MZ\x90\0", 4) + "rest", 0644, true,
       df.string() + "\n1\n" + (df / "DF.EXE").string() + "\n"},
      {"an executable Windows program also goes through wine", "MZ", 0755, true,
       df.string() + "\n1\n" + (df / "DF.EXE").string() + "\n"},
      {"a Windows program without wine", "MZ", 0644, false, ""},
      {"a file that is not executable", recorder(log), 0644, true, ""},
      {"an executable file that is no program", "", 0755, true, ""},
      {"a script whose interpreter is missing", "#!/nonexistent/sh\n", 0755, true, ""},
  };
  putFile(bin / "wine", recorder(log), 0755);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(log);
    putFile(df / "DF.EXE", c.content, c.mode);
    PathSetting path(c.wineOnPath ? bin.string() + ":/usr/bin:/bin" : (root / "empty").string());
    system.startProgram("C:", programPath(df), "DF.EXE");
    EXPECT_EQ(contentOf(log), c.expected);
  }
}

TEST_F(ProcessPosixTest, AFolderGivenRelativeToTheCurrentOne) {
  putFile(df / "DF.EXE", recorder(log), 0755);
  system.startProgram("", "Deep Finesse", "DF.EXE");
  EXPECT_EQ(contentOf(log), df.string() + "\n0\n");
}

TEST_F(ProcessPosixTest, AMissingProgramEndsNormallyAndAMissingFolderIsAnError) {
  system.startProgram("", programPath(df), "NONE.EXE");
  EXPECT_FALSE(fs::exists(log));
  try {
    system.startProgram("", programPath(root / "gone"), "DF.EXE");
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number(), err::kPathNotFound) << e.what();
  }
  EXPECT_EQ(fs::current_path(), folder.path());  // the program's own folder stays
}

TEST_F(ProcessPosixTest, AddressesGoToXdgOpen) {
  putFile(bin / "xdg-open", recorder(log), 0755);
  {
    PathSetting path(bin.string() + ":/usr/bin:/bin");
    EXPECT_TRUE(system.openAddress("https://example.org/Manual.htm"));
  }
  EXPECT_EQ(contentOf(log), fs::current_path().string() + "\n1\nhttps://example.org/Manual.htm\n");
  fs::remove(log);
  PathSetting path((root / "empty").string());
  EXPECT_FALSE(system.openAddress("https://example.org/Manual.htm"));  // no xdg-open
  EXPECT_FALSE(fs::exists(log));
}

}  // namespace
}  // namespace kveld
