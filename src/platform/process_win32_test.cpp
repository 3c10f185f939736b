// Starting programs on Windows, through the command interpreter and a real
// stand-in program built beside the tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
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

fs::path besideTheTests(const char* name) {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  return fs::path(std::wstring(self, n)).parent_path() / name;
}

struct ProcessWin32Test : ::testing::Test {
  ProcessWin32Test() {
    fs::create_directories(df);
    fs::copy_file(besideTheTests("dfstandin.exe"), df / "DF.EXE");
    SetEnvironmentVariableW(L"DFSTANDIN_RECORD_ONLY", L"1");  // it notes its start and ends
  }
  ~ProcessWin32Test() override { SetEnvironmentVariableW(L"DFSTANDIN_RECORD_ONLY", nullptr); }
  TempFolder folder;
  fs::path df = folder.path() / "Deep Finesse";
  RealSystem system;
  Watchdog watchdog{60s, "a started program did not end"};
};

TEST_F(ProcessWin32Test, DeepFinesseStartsInItsFolderWithoutArguments) {
  for (const std::string drive : {"", "C:"}) {
    fs::remove(df / "standin-started.txt");
    fs::current_path(folder.path());
    system.startProgram(drive, programPath(df), "DF.EXE");
    // The interpreter has ended, so the stand-in has written its record.
    const std::string log = contentOf(df / "standin-started.txt");
    EXPECT_EQ(log, "started\tfolder=" + df.string() + "\targuments=0\n") << "drive [" << drive << "]";
    EXPECT_TRUE(fs::equivalent(fs::current_path(), df));
  }
}

TEST_F(ProcessWin32Test, NamesWithInterpreterSyntaxAreRefusedBeforeAnythingStarts) {
  for (const std::string name : {"DF.EXE & echo x> hacked.txt", "DF.EXE|echo", "DF.EXE > out.txt",
                                 "%COMSPEC%", "\"DF.EXE\"", "DF.EXE ^& echo"}) {
    try {
      system.startProgram("", programPath(df), name);
      ADD_FAILURE() << name << ": no error";
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.number(), err::kPathFileAccess) << name;
    }
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(df), fs::directory_iterator()), 1);
  EXPECT_TRUE(fs::equivalent(fs::current_path(), folder.path()));
}

TEST_F(ProcessWin32Test, AFolderThatCannotBeMadeCurrentIsAnError) {
  EXPECT_THROW(system.startProgram("", programPath(folder.path() / "gone"), "DF.EXE"), RunTimeError);
  EXPECT_FALSE(fs::exists(df / "standin-started.txt"));
}

// The interpreter named by "comspec" for one test; empty: not set.
class Interpreter {
 public:
  explicit Interpreter(const std::wstring& value) {
    wchar_t old[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"comspec", old, MAX_PATH);
    had_ = n > 0 && n < MAX_PATH;
    if (had_) old_.assign(old, n);
    SetEnvironmentVariableW(L"comspec", value.empty() ? nullptr : value.c_str());
  }
  ~Interpreter() { SetEnvironmentVariableW(L"comspec", had_ ? old_.c_str() : nullptr); }

 private:
  bool had_ = false;
  std::wstring old_;
};

TEST_F(ProcessWin32Test, CommandLinesAreInterpreterSlashCAndTheCommandUnquoted) {
  // With the stand-in as the interpreter, its record shows the command line
  // word by word.
  Interpreter interpreter(besideTheTests("dfstandin.exe").wstring());
  system.startProgram("", programPath(df), "DEEP FINESSE.EXE");
  EXPECT_EQ(contentOf(df / "standin-started.txt"),
            "started\tfolder=" + df.string() + "\targuments=3\t/c\tDEEP\tFINESSE.EXE\n");
  fs::current_path(folder.path());
  system.openAddress("https://example.org/Manual.htm");
  EXPECT_EQ(contentOf(folder.path() / "standin-started.txt"),
            "started\tfolder=" + folder.path().string() +
                "\targuments=3\t/c\tstart\thttps://example.org/Manual.htm\n");
}

TEST_F(ProcessWin32Test, WithoutAnInterpreterNothingCanBeStarted) {
  Interpreter interpreter(L"");
  EXPECT_THROW(system.startProgram("", programPath(df), "DF.EXE"), RunTimeError);
  EXPECT_FALSE(fs::exists(df / "standin-started.txt"));
}

}  // namespace
}  // namespace kveld
