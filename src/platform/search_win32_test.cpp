#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/real_system.h"
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

// Run by tests/setup-wine with the test of setup over it (settings/).
TEST(SetupUnderWine, WithoutACommandInterpreterTheListingFails) {
  TempFolder here;
  wchar_t saved[1024] = {};
  const DWORD length = GetEnvironmentVariableW(L"comspec", saved, 1024);
  SetEnvironmentVariableW(L"comspec", nullptr);
  RealSystem system;
  EXPECT_THROW(system.listDrive("C:", "DEALAR~1", "df_find"), RunTimeError);
  if (length > 0) SetEnvironmentVariableW(L"comspec", saved);
}

}  // namespace
}  // namespace kveld
