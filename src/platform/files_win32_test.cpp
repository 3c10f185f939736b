// Windows-only behaviour of the file operations.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/real_system.h"
#include "testing/program_path.h"
#include "testing/temp_folder.h"
#include "testing/file_content.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

TEST(FilesWin32, AFileAnotherProgramHoldsIsNotReplacedAndNothingIsLeft) {
  TempFolder folder;
  const fs::path file = folder.path() / "Jan-01-M.txt";
  std::ofstream(file, std::ios::binary) << "the earlier set";
  RealSystem system;
  {
    HANDLE held = CreateFileW(file.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
      system.replaceFile(programPath(file), "the new set");
      ADD_FAILURE() << "no error";
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.number(), err::kPermissionDenied) << e.what();
    }
    CloseHandle(held);
  }
  EXPECT_EQ(contentOf(file), "the earlier set");
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder.path())) names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Jan-01-M.txt"});
}

// Setup's scratch file of a copy that runs stays; once it has been killed
// (a suspended child of this test, then terminated) the file goes.
TEST(FilesWin32, ScratchFilesOfKilledRunsGo) {
  TempFolder folder;
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION child{};
  wchar_t self[MAX_PATH];
  ASSERT_TRUE(GetModuleFileNameW(nullptr, self, MAX_PATH) &&
              CreateProcessW(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                             &start, &child));
  const std::string scratch = "df_find" + std::to_string(child.dwProcessId);
  std::ofstream(scratch) << "listing";
  RealSystem().removeLeftovers("df_find");
  EXPECT_TRUE(fs::exists(scratch));
  TerminateProcess(child.hProcess, 1);
  WaitForSingleObject(child.hProcess, INFINITE);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);  // the last handle: the number is free now
  RealSystem().removeLeftovers("df_find");
  EXPECT_FALSE(fs::exists(scratch));
}

}  // namespace
}  // namespace kveld
