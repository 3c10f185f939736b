#include "batch/batch_run.h"

#include <chrono>
#include <istream>
#include <iterator>
#include <ostream>

#include "analysis/double_dummy.h"
#include "formats/control_check.h"
#include "batch/options.h"
#include "batch/progress_bar.h"
#include "formats/formats.h"
#include "formats/deal_set.h"
#include "rules/dealer.h"
#include "rules/near_strings.h"

namespace kveld::batch {

namespace {

using formats::CheckedString;
using formats::checkString;
using formats::DealSet;
using formats::FormatContext;

constexpr const char* kProgram = "kveld-batch";

// A control string of standard input: not blank, not a comment.
bool holdsAString(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string::npos && line[first] != '#';
}

class Run {
 public:
  Run(const Options& options, BatchIo& io)
      : options_(options),
        io_(io),
        format_(*formats::findFormat(options.format)),
        context_{io.lineEnd, std::string(kProgram) + " " + io.version} {
  }

  int all() {
    if (!options_.check && !options_.outputFolder) io_.out << format_.begin(context_);
    for (const Options::Source& source : options_.sources) {
      if (source.dealFile) {
        if (!dealFile(source.text)) return exitStatus::kNotWritten;
      } else if (source.text == "-") {
        std::string line;
        while (std::getline(io_.in, line)) {
          if (!line.empty() && line.back() == '\r') line.pop_back();
          if (holdsAString(line) && !one(line)) return exitStatus::kNotWritten;
        }
      } else if (!one(source.text)) {
        return exitStatus::kNotWritten;
      }
    }
    if (!options_.check && !options_.outputFolder) io_.out << format_.end(context_);
    io_.out.flush();
    if (!io_.out) {
      io_.err << kProgram << ": the output could not be written to standard output." << io_.lineEnd;
      return exitStatus::kNotWritten;
    }
    return anyInvalid_ ? exitStatus::kInvalidString : exitStatus::kDone;
  }

 private:
  // Handles one control string; false when its file could not be written.
  bool one(const std::string& text) {
    const CheckedString checked = checkString(text);
    if (!checked.params) {
      anyInvalid_ = true;
      if (options_.check)
        io_.out << formats::printable(text) << ": invalid: " << checked.problem << io_.lineEnd;
      io_.err << kProgram << ": " << formats::refusal(text, checked.problem) << io_.lineEnd;
      if (options_.check)
        for (const NearString& n : nearStrings(text))
          io_.err << kProgram << ": one slip away: " << nearStringLine(n) << io_.lineEnd;
      return true;
    }
    if (options_.check) {
      io_.out << formats::printable(text) << ": " << formats::setHeading(*checked.params)
              << io_.lineEnd;
      return true;
    }
    const std::vector<Board> boards = dealSet(*checked.params);
    DealSet set = formats::setOfControlString(text, *checked.params, boards);
    return write(set);
  }

  // Reads every set of a deal file ("-": standard input) and writes each;
  // false when a file could not be written. A file that cannot be read is
  // refused with the reason, and nothing of it is written.
  bool dealFile(const std::string& path) {
    const std::string shown = path == "-" ? "standard input" : path;
    std::string bytes;
    try {
      bytes = path == "-" ? std::string(std::istreambuf_iterator<char>(io_.in), {}) : io_.readFile(path);
    } catch (const std::exception& e) {
      anyInvalid_ = true;
      if (options_.check) io_.out << shown << ": invalid: it could not be read" << io_.lineEnd;
      io_.err << kProgram << ": " << shown << " could not be read (" << e.what() << ")." << io_.lineEnd;
      return true;
    }
    formats::Read read = formats::readDealFile(bytes);
    if (!read.refusal.empty()) {
      anyInvalid_ = true;
      if (options_.check) io_.out << shown << ": invalid: " << read.refusal << io_.lineEnd;
      io_.err << kProgram << ": " << shown << ": " << read.refusal << "." << io_.lineEnd;
      return true;
    }
    formats::nameSetsOfFile(read.sets, path == "-" ? "stdin" : path);
    for (DealSet& set : read.sets) {
      if (path == "-") set.source = shown;
      if (options_.check) {
        io_.out << shown << ": " << set.heading() << io_.lineEnd;
      } else if (!write(set)) {
        return false;
      }
    }
    return true;
  }

  // Writes one set, analysed when asked; false when its file could not be
  // written or the solver failed. A set that the format cannot hold is
  // refused with the reason.
  bool write(DealSet& set) {
    if (options_.analyse && !analyse(set)) return false;
    if (!options_.outputFolder) {
      const formats::Written w =
          format_.oneSetAFile && setsWritten_ > 0
              ? formats::Written{"", "a file of this format holds one set; with --output DIR each set is "
                                     "written into a file of its own"}
              : format_.set(set, context_, setsWritten_);
      if (!refused(set, w)) {
        io_.out << w.bytes;
        ++setsWritten_;
      }
      return true;
    }
    const formats::Written w = formats::fileOf(format_, set, context_);
    if (refused(set, w)) return true;
    const std::string path = pathInFolder(set.name + std::string(format_.extension));
    try {
      io_.replaceFile(path, w.bytes);
    } catch (const std::exception& e) {
      io_.err << kProgram << ": " << path << " could not be written (" << e.what() << ")." << io_.lineEnd;
      return false;
    }
    if (!options_.quiet) io_.err << "wrote " << path << io_.lineEnd;
    return true;
  }

  // Solves the boards just dealt into `results`; false, with a message,
  // when the solver fails. On a terminal a bar shows the boards solved in
  // this run and the time since the run's first analysis started; it is
  // wiped when the set is done, so that other messages start on a clean
  // line.
  bool analyse(DealSet& set) {
    const bool showProgress = io_.errIsTerminal && !options_.quiet;
    if (!analysisStarted_) {
      analysisStarted_ = true;
      start_ = std::chrono::steady_clock::now();
    }
    const int before = boardsAnalysed_;
    auto show = [&](int done, int all) {
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
      io_.err << progressLine(before + done, before + all, elapsed.count()) << std::flush;
    };
    try {
      set.analysis = formats::analyseSet(set, showProgress ? analysis::ProgressReport(show) : nullptr);
    } catch (const analysis::AnalysisError& e) {
      if (showProgress) io_.err << io_.lineEnd;
      io_.err << kProgram << ": the double-dummy analysis failed: " << e.what() << "." << io_.lineEnd;
      return false;
    }
    boardsAnalysed_ += static_cast<int>(set.boards.size());
    if (showProgress) {
      const std::size_t width = progressLine(boardsAnalysed_, boardsAnalysed_, 0).size() + 8;
      io_.err << "\r" << std::string(width, ' ') << "\r" << std::flush;
    }
    return true;
  }

  // Reports a set that the format cannot hold; true when it was refused.
  bool refused(const DealSet& set, const formats::Written& w) {
    if (w.refusal.empty()) return false;
    anyInvalid_ = true;
    io_.err << kProgram << ": " << set.source << ": " << format_.name << " cannot hold this set: " << w.refusal
            << "." << io_.lineEnd;
    return true;
  }

  std::string pathInFolder(const std::string& name) const {
    const std::string& folder = *options_.outputFolder;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
  }

  const Options& options_;
  BatchIo& io_;
  const formats::Format& format_;
  FormatContext context_;
  int setsWritten_ = 0;
  bool analysisStarted_ = false;
  std::chrono::steady_clock::time_point start_;
  int boardsAnalysed_ = 0;
  bool anyInvalid_ = false;
};

}  // namespace

int runBatch(const std::vector<std::string>& args, BatchIo& io) {
  const ParsedOptions parsed = parseOptions(args);
  if (!parsed.usageError.empty()) {
    io.err << kProgram << ": " << parsed.usageError << "; see --help." << io.lineEnd;
    return exitStatus::kUsage;
  }
  if (parsed.options.help) {
    io.out << usageText(io.lineEnd);
    return io.out.flush() ? exitStatus::kDone : exitStatus::kNotWritten;
  }
  if (parsed.options.version) {
    io.out << kProgram << " " << io.version << io.lineEnd;
    return io.out.flush() ? exitStatus::kDone : exitStatus::kNotWritten;
  }
  return Run(parsed.options, io).all();
}

}  // namespace kveld::batch
