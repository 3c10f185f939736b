#pragma once
// One run of kveld-batch: the command line in, sets out, an exit status.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace kveld::batch {

namespace exitStatus {
constexpr int kDone = 0;
constexpr int kInvalidString = 1;  // or a deal file that cannot be read, or a set a format cannot hold
constexpr int kUsage = 2;
constexpr int kNotWritten = 3;
}  // namespace exitStatus

struct BatchIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  // Puts a file in place in one step, or throws an exception whose text
  // names the path and the reason.
  std::function<void(const std::string& path, const std::string& bytes)> replaceFile;
  // The bytes of a file, or an exception whose text names the path and the
  // reason.
  std::function<std::string(const std::string& path)> readFile;
  std::string lineEnd = "\n";
  std::string version;
  // Whether `err` is a terminal: only there does a long analysis show its
  // progress bar.
  bool errIsTerminal = false;
};

int runBatch(const std::vector<std::string>& args, BatchIo& io);

}  // namespace kveld::batch
