// Setup under Wine, with the command interpreter's own listing of a drive.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/flow_control.h"
#include "core/program.h"
#include "settings/setup.h"
#include "testing/file_content.h"
#include "testing/scripted_console.h"
#include "testing/temp_folder.h"
#include "platform/real_system.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

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
  std::ofstream(root / "Games" / "Deep Finesse" / "dfinesse.exe").put('x');
  fs::create_directories(root / "Games" / "Other");

  TempFolder here;
  ProgramTables tables;
  initProgramTables(tables);
  ScriptedConsole device({std::string(1, driveSpec[0]), keys::enter, "x"});
  ConsoleKit kit(device, tables);
  RealSystem system;
  Program program(tables, kit, system);
  runSetup(program);

  EXPECT_EQ(program.settings.dfDirectory, driveSpec + "\\Games\\Deep Finesse");
  EXPECT_EQ(contentOf(here.path() / "KVELD.INI"),
            "DeepFinesseDirectory=" + driveSpec + "\\Games\\Deep Finesse\r\nExecutableFile=DFINESSE.EXE\r\n");
  EXPECT_FALSE(fs::exists(here.path() / "df_find"));
}

}  // namespace
}  // namespace kveld
