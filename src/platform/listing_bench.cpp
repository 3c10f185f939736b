// The drive listing of setup on POSIX against GNU find on the same tree:
// 200,000 entries in folders a few hundred wide and a few hundred deep, three
// of them deal-archive folders (one by its own name in upper case, one in
// lower case, one by the alias of its long name).
//   drive_listing_200k/ours       the walk, writing the scratch file
//   drive_listing_200k/reference  find ROOT -iname 'DEALAR~1'
#if !defined(_WIN32)

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "platform/real_system.h"
#include "bench/comparison.h"

extern char** environ;

namespace kveld {
namespace {

namespace fs = std::filesystem;

constexpr int kEntries = 200000;
constexpr int kTopFolders = 300;
constexpr int kSubFolders = 5;
constexpr int kDepth = 300;

void touch(const fs::path& file) {
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + file.string());
  close(fd);
}

// The tree, a Wine prefix whose drive E: is the tree, and a current folder
// for the scratch file; all removed at the end.
class BenchDrive {
 public:
  BenchDrive() {
    base_ = fs::temp_directory_path() / ("kveld-bench-" + std::to_string(std::random_device{}()));
    tree_ = base_ / "tree";
    fs::create_directories(base_ / "prefix" / "dosdevices");
    fs::create_directories(base_ / "work");
    fs::create_directory_symlink(tree_, base_ / "prefix" / "dosdevices" / "e:");
    setenv("WINEPREFIX", (base_ / "prefix").c_str(), 1);
    fs::current_path(base_ / "work");

    std::vector<fs::path> folders;
    for (int t = 0; t < kTopFolders; ++t) {
      const fs::path top = tree_ / ("Top Folder " + std::to_string(t));
      folders.push_back(top);
      for (int s = 0; s < kSubFolders; ++s) folders.push_back(top / ("sub" + std::to_string(s)));
    }
    fs::path deep = tree_ / "deep";
    for (int d = 0; d < kDepth; ++d) {
      folders.push_back(deep);
      deep /= "Level";
    }
    for (const fs::path& f : folders) fs::create_directories(f);
    fs::create_directories(tree_ / "Top Folder 10" / "sub2" / "Deal Archive");
    fs::create_directories(tree_ / "Top Folder 150" / "DEALAR~1");
    fs::path archive = tree_ / "deep";
    for (int d = 0; d < 250; ++d) archive /= "Level";
    fs::create_directories(archive / "dealar~1");

    const int folderEntries = static_cast<int>(folders.size()) + 3;
    const int files = kEntries - folderEntries;
    for (int i = 0; i < files; ++i) {
      const fs::path& folder = folders[static_cast<std::size_t>(i) % folders.size()];
      const char* kinds[] = {"Deal notes ", "board", "Hand record ", "dealer", "SCORES"};
      touch(folder / (std::string(kinds[i % 5]) + std::to_string(i) + ".txt"));
    }
  }
  ~BenchDrive() {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(base_, ec);
  }
  const fs::path& tree() const { return tree_; }

 private:
  fs::path base_;
  fs::path tree_;
};

BenchDrive& drive() {
  static BenchDrive d;
  return d;
}

void ours(benchmark::State& state) {
  drive();
  RealSystem system;
  for (auto _ : state) system.listDrive("E:", "DEALAR~1", "df_find");
  std::ifstream in("df_find", std::ios::binary);
  const std::string lines((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string expected = "E:\\deep" + [] {
    std::string levels;
    for (int d = 0; d < 250; ++d) levels += "\\Level";
    return levels;
  }() + "\\dealar~1\r\nE:\\Top Folder 10\\sub2\\Deal Archive\r\nE:\\Top Folder 150\\DEALAR~1\r\n";
  if (lines != expected) state.SkipWithError("the walk did not list the three archive folders");
}

void reference(benchmark::State& state) {
  const std::string root = drive().tree().string();
  std::string find = "find";
  std::string pattern = "-iname";
  std::string name = "DEALAR~1";
  std::string rootArg = root;
  char* argv[] = {find.data(), rootArg.data(), pattern.data(), name.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawnp(&pid, "find", &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("find could not be started");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
}

const kveld::bench::CompareBenchmarks kListingComparison("drive listing, 200,000 entries, against find",
                                                         "drive_listing_200k/ours",
                                                         "drive_listing_200k/reference");

BENCHMARK(ours)->Name("drive_listing_200k/ours")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(reference)->Name("drive_listing_200k/reference")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kveld

#endif
