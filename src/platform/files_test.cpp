// The real file operations, on whichever system the tests run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "platform/real_system.h"
#include "testing/program_path.h"
#include "testing/temp_folder.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

struct FilesTest : ::testing::Test {
  std::string path(const std::string& relative) {
    std::string p = programPath(folder.path());
    if (!relative.empty()) p += "\\" + relative;
    return p;
  }
  std::string contentOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::size_t entries() {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
  }
  NoWineDrives noWine;
  TempFolder folder;
  RealSystem system;
};

TEST_F(FilesTest, BytesGoInAndComeOutUnchanged) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  all += std::string(70000, '\x1a');  // longer than one read
  system.writeFile(path("a.bin"), all);
  EXPECT_EQ(system.readFile(path("a.bin")), all);
  system.writeFile(path("a.bin"), "short");  // emptied first
  EXPECT_EQ(contentOf(folder.path() / "a.bin"), "short");
  system.replaceFile(path("b.bin"), all);  // a new file
  EXPECT_EQ(contentOf(folder.path() / "b.bin"), all);
  system.replaceFile(path("b.bin"), "");
  EXPECT_EQ(contentOf(folder.path() / "b.bin"), "");
  EXPECT_EQ(entries(), 2u);
  // A bare name is a file in the current folder.
  EXPECT_EQ(system.readFile("a.bin"), "short");
  system.deleteFile("a.bin");
  system.deleteFile(path("b.bin"));
  EXPECT_EQ(entries(), 0u);
}

// A file with other names (hard links) is written in place: every name
// shows the new content, as before the file was replaced by a new one.
TEST_F(FilesTest, AFileWithOtherLinksIsWrittenInPlace) {
  std::ofstream(folder.path() / "set.txt") << "the earlier set";
  fs::create_hard_link(folder.path() / "set.txt", folder.path() / "other name.txt");
  system.replaceFile(path("set.txt"), "the new set");
  EXPECT_EQ(contentOf(folder.path() / "set.txt"), "the new set");
  EXPECT_EQ(contentOf(folder.path() / "other name.txt"), "the new set");
  EXPECT_EQ(entries(), 2u);
}

TEST_F(FilesTest, FailuresCarryTheirNumbers) {
  std::ofstream(folder.path() / "locked.txt") << "keep";
  fs::permissions(folder.path() / "locked.txt",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory(folder.path() / "sub");
  const struct {
    const char* name;
    std::function<void()> operation;
    int error;
  } cases[] = {
      {"read a missing file", [&] { system.readFile(path("none.txt")); }, err::kFileNotFound},
      {"read in a missing folder", [&] { system.readFile(path("nowhere\\none.txt")); }, err::kPathNotFound},
      {"write in a missing folder", [&] { system.writeFile(path("nowhere\\x.txt"), "x"); },
       err::kPathNotFound},
      {"replace in a missing folder", [&] { system.replaceFile(path("nowhere\\x.txt"), "x"); },
       err::kPathNotFound},
      {"delete a missing file", [&] { system.deleteFile(path("none.txt")); }, err::kFileNotFound},
      {"write a read-only file", [&] { system.writeFile(path("locked.txt"), "x"); }, err::kPermissionDenied},
      {"replace a read-only file", [&] { system.replaceFile(path("locked.txt"), "x"); },
       err::kPermissionDenied},
      {"delete a read-only file", [&] { system.deleteFile(path("locked.txt")); }, err::kPermissionDenied},
      {"write a folder", [&] { system.writeFile(path("sub"), "x"); }, err::kPermissionDenied},
      {"replace a folder", [&] { system.replaceFile(path("sub"), "x"); }, err::kPermissionDenied},
      // A control character is no part of a name; a NUL must not cut the name short.
      {"write a name holding a tab", [&] { system.writeFile(path("a\tb.txt"), "x"); }, err::kPathFileAccess},
      {"replace a name holding a NUL", [&] { system.replaceFile(path(std::string("a\0b.txt", 7)), "x"); },
       err::kPathFileAccess},
      {"read a name holding a NUL", [&] { system.readFile(path(std::string("locked.txt\0x", 12))); },
       err::kPathFileAccess},
  };
  for (const auto& c : cases) {
    try {
      c.operation();
      ADD_FAILURE() << c.name << ": no error";
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.number(), c.error) << c.name << ": " << e.what();
    }
  }
  EXPECT_EQ(contentOf(folder.path() / "locked.txt"), "keep");
  EXPECT_TRUE(fs::is_empty(folder.path() / "sub"));
  EXPECT_EQ(entries(), 2u);
  fs::permissions(folder.path() / "locked.txt", fs::perms::owner_all);
}

}  // namespace
}  // namespace kveld
