#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/flow_control.h"
#include "core/program.h"
#include "platform/real_system.h"
#include "testing/scripted_console.h"
#include "settings/setup.h"
#include "testing/temp_folder.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

void makeFile(const fs::path& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  fs::create_directories(path.parent_path());
  std::ofstream(path).put('x');
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes)) << path;
}

TEST(FindFirstFileWin32, FoldersAndSystemFilesArePassedOver) {
  TempFolder here;
  RealSystem system;
  const std::string folder = here.path().string();
  fs::create_directories(here.path() / "a" / "da.exe");
  makeFile(here.path() / "a" / "db.exe", FILE_ATTRIBUTE_SYSTEM);
  makeFile(here.path() / "a" / "setup.exe");
  EXPECT_EQ(system.findFirstFile(folder + "\\a", "d*.exe"), "");
  makeFile(here.path() / "a" / "Dc.EXE", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(system.findFirstFile(folder + "\\a", "d*.exe"), "Dc.EXE");
  try {
    system.findFirstFile(folder + "\\missing", "d*.exe");
    ADD_FAILURE() << "a missing folder was searched";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.number(), err::kPathNotFound);
  }
}

// Run by tests/setup-wine, which gives the Wine prefix a drive of its own for
// the test and names it in KVELD_WINE_TEST_DRIVE: the whole of the drive C:
// of a Wine prefix takes long to list.
TEST(SetupUnderWine, TheCommandInterpreterFindsTheInstallation) {
  const char* drive = std::getenv("KVELD_WINE_TEST_DRIVE");
  if (drive == nullptr || std::string(drive).size() != 2)
    GTEST_SKIP() << "no test drive (see tests/setup-wine)";
  const std::string driveSpec = drive;
  const fs::path root = driveSpec + "\\";
  fs::create_directories(root / "Games" / "Deep Finesse" / "DEALAR~1");
  makeFile(root / "Games" / "Deep Finesse" / "dfinesse.exe");
  fs::create_directories(root / "Games" / "Other");

  TempFolder here;
  ProgramTables tables;
  initProgramTables(tables);
  ScriptedConsole device({std::string(1, driveSpec[0]), keys::enter, "x"});
  ConsoleKit kit(device, tables);
  RealSystem system;
  Program program(tables, kit, system);
  runSetup(program);

  EXPECT_EQ(program.foundCount, 1);
  EXPECT_EQ(program.settings.dfDirectory, driveSpec + "\\Games\\Deep Finesse");
  std::ifstream in(here.path() / "KVELD.INI", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            "DeepFinesseDirectory=" + driveSpec + "\\Games\\Deep Finesse\r\nExecutableFile=DFINESSE.EXE\r\n");
  EXPECT_FALSE(fs::exists(here.path() / "df_find"));
}

TEST(SetupUnderWine, WithoutACommandInterpreterTheListingFails) {
  TempFolder here;
  wchar_t saved[1024] = {};
  const DWORD length = GetEnvironmentVariableW(L"comspec", saved, 1024);
  SetEnvironmentVariableW(L"comspec", nullptr);
  RealSystem system;
  EXPECT_THROW(system.listArchiveFolders("C:", "df_find"), RunTimeError);
  if (length > 0) SetEnvironmentVariableW(L"comspec", saved);
}

}  // namespace
}  // namespace kveld
