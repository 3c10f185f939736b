#include "batch/batch_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/native_files.h"
#include "testing/file_content.h"
#include "testing/temp_folder.h"

namespace kveld::batch {
namespace {

namespace fs = std::filesystem;

// One run of kveld-batch in this process, with files written by the real
// atomic writer.
struct Result {
  int status = -1;
  std::string out, err;
};

Result run(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  BatchIo io{in, out, err, replaceNativeFile, readNativeFile, "\n", "1.2.3"};
  Result r;
  r.status = runBatch(args, io);
  r.out = out.str();
  r.err = err.str();
  return r;
}

std::vector<std::string> filesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(BatchRun, CheckShowsEachSetAndEachReason) {
  const Result r = run({"--check", "1000100006", "1234567890", "123456789x", "12345"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "1000100006: January 1, Morning, 24 boards\n"
            "1234567890: invalid: the check digit does not fit the other nine digits (a typing error?)\n"
            "123456789x: August 23, Morning, 36 boards\n"
            "12345: invalid: it has 5 digits instead of ten\n");
  // After the refusal of a string, the valid strings one slip away (worked
  // by hand: the sum 210 is one too many, so each digit takes the change
  // that its weight turns into ten more elevenths; no swap fits).
  std::istringstream lines(r.err);
  std::vector<std::string> near;
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line,
            "kveld-batch: \"1234567890\" is not a valid control string: the check digit does not fit the "
            "other nine digits (a typing error?).");
  const std::string prefix = "kveld-batch: one slip away: ";
  while (std::getline(lines, line) && line.starts_with(prefix)) near.push_back(line.substr(prefix.size(), 10));
  EXPECT_EQ(near, (std::vector<std::string>{"1234367890", "1234564890", "1234567490", "1234567830", "123456789X",
                                            "1234587890", "1237567890", "1274567890", "1834567890", "2234567890"}));
  EXPECT_EQ(line, "kveld-batch: \"12345\" is not a valid control string: it has 5 digits instead of ten.");
  EXPECT_FALSE(std::getline(lines, line));
  EXPECT_EQ(run({"-c", "0102230455"}).status, 0);
  // Without --check, the refusal alone.
  const std::string alone = run({"1234567890"}).err;
  EXPECT_EQ(std::count(alone.begin(), alone.end(), '\n'), 1);
}

TEST(BatchRun, InvalidStringsAreReportedAndTheOthersStillWritten) {
  const Result both = run({"1000100006", "0102230455"});
  const Result mixed = run({"1000100006", "10X0100006", "0102230455"});
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.err, "");
  EXPECT_EQ(mixed.status, 1);
  EXPECT_EQ(mixed.out, both.out);
  EXPECT_EQ(
      mixed.err,
      "kveld-batch: \"10X0100006\" is not a valid control string: \"X\" stands as the third digit; only the "
      "tenth (check) digit may be X.\n");
  // Sets one after another: two archive files of 148 lines each.
  EXPECT_EQ(std::count(both.out.begin(), both.out.end(), '\n'), 2 * 148);
}

TEST(BatchRun, UsageErrorsSayWhichAndPointToHelp) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{"--frobnicate", "1000100006"}, "kveld-batch: unknown option \"--frobnicate\"; see --help.\n"},
      {{"-z", "1000100006"}, "kveld-batch: unknown option \"-z\"; see --help.\n"},
      {{"1000100006", "--format"}, "kveld-batch: option \"--format\" needs a value; see --help.\n"},
      {{"1000100006", "-o"}, "kveld-batch: option \"-o\" needs a value; see --help.\n"},
      {{"--quiet=yes", "1000100006"}, "kveld-batch: option \"--quiet\" takes no value; see --help.\n"},
      // The list of formats follows (the start is enough here).
      {{"-f", "xml", "1000100006"}, "kveld-batch: unknown format \"xml\" (the formats are archive, pbn, "},
      {{"-q"}, "kveld-batch: no control string or deal file given; see --help.\n"},
      {{}, "kveld-batch: no control string or deal file given; see --help.\n"},
      {{"--output=", "1000100006"}, "kveld-batch: the output folder is empty; see --help.\n"},
      {{"-i", "", "1000100006"}, "kveld-batch: a deal file's name is empty; see --help.\n"},
      {{"-i", "-", "-"}, "kveld-batch: standard input can be read once only; see --help.\n"},
  };
  for (const Case& c : cases) {
    const Result r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.err;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
    EXPECT_EQ(r.out, "");
  }
}

TEST(BatchRun, OptionsInEveryForm) {
  const std::string pbn = run({"--format", "pbn", "1000100006"}).out;
  EXPECT_EQ(pbn.substr(0, 9), "% PBN 2.1");
  EXPECT_EQ(run({"--format=pbn", "1000100006"}).out, pbn);
  EXPECT_EQ(run({"-fpbn", "1000100006"}).out, pbn);
  EXPECT_EQ(run({"1000100006", "-f", "pbn"}).out, pbn);
  // After "--" a string that starts with "-" is a control string.
  const Result dashed = run({"-c", "--", "-1"});
  EXPECT_EQ(dashed.status, 1);
  EXPECT_EQ(dashed.out, "-1: invalid: \"-\" is not a digit\n");

  const Result help = run({"1000100006", "--help", "--bogus-after-help"});
  EXPECT_EQ(help.status, 2);  // the unknown option still counts
  const Result helped = run({"-h"});
  EXPECT_EQ(helped.status, 0);
  EXPECT_EQ(helped.out.substr(0, 50), "Usage: kveld-batch [OPTIONS] CONTROL_STRING...\n   ");
  EXPECT_NE(helped.out.find("--format FORMAT"), std::string::npos);
  const Result version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "kveld-batch 1.2.3\n");
  EXPECT_EQ(run({"-V"}).out, "kveld-batch 1.2.3\n");
}

TEST(BatchRun, StandardInputSkipsBlankAndCommentLines) {
  const std::string input =
      "# a year of sets\r\n"
      "1000100006\r\n"
      "\n"
      "   \n"
      "  # indented comment\n"
      "0102230455\n"
      "12345\n"
      "123456789X";  // no line end at the end
  const Result r = run({"-c", "-"}, input);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "1000100006: January 1, Morning, 24 boards\n"
            "0102230455: September 9, Afternoon, 24 boards\n"
            "12345: invalid: it has 5 digits instead of ten\n"
            "123456789X: August 23, Morning, 36 boards\n");
  // Strings from the command line and from standard input, in their order.
  EXPECT_EQ(run({"-c", "0000000000", "-"}, "1000100006\n").out,
            "0000000000: January 0, Session, 24 boards\n1000100006: January 1, Morning, 24 boards\n");
  EXPECT_EQ(run({"-f", "pbn", "-"}, "1000100006\n").out, run({"-f", "pbn", "1000100006"}).out);
}

TEST(BatchRun, PbnOnStandardOutputHasOneHeaderForAllSets) {
  const std::string two = run({"-f", "pbn", "1000100006", "0102230455"}).out;
  std::size_t headers = 0;
  for (std::size_t at = 0; (at = two.find("% PBN 2.1", at)) != std::string::npos; ++at) ++headers;
  EXPECT_EQ(headers, 1u);
  EXPECT_NE(two.find("[Result \"?\"]\r\n\r\n[Event \"September 9, Afternoon\"]\r\n"), std::string::npos);
  std::size_t games = 0;
  for (std::size_t at = 0; (at = two.find("[Event ", at)) != std::string::npos; ++at) ++games;
  EXPECT_EQ(games, 48u);
}

TEST(BatchRun, OutputFolderGetsOneFilePerSetNamedAsTheArchive) {
  TempFolder temp;
  fs::create_directory("sets");
  const Result r = run({"-f", "pbn", "-o", "sets", "1000100006", "0102230455", "123456789X"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "wrote sets/Jan-01-M.pbn\nwrote sets/Sep-09-A.pbn\nwrote sets/Aug-23-M.pbn\n");
  EXPECT_EQ(filesIn("sets"), (std::vector<std::string>{"Aug-23-M.pbn", "Jan-01-M.pbn", "Sep-09-A.pbn"}));
  // Each file is what standard output holds for its set alone.
  EXPECT_EQ(contentOf("sets/Sep-09-A.pbn"), run({"-f", "pbn", "0102230455"}).out);

  // --quiet, a folder given with its separator, an earlier file replaced.
  std::ofstream("sets/Jan-01-M.txt") << std::string(100000, 'x');
  const Result quiet = run({"--quiet", "--output", "sets/", "1000100006"});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(contentOf("sets/Jan-01-M.txt"), run({"1000100006"}).out);
  EXPECT_EQ(filesIn("sets").size(), 4u);
}

// Deal files: each set's file named after its input, a file that cannot be
// read and a set a format cannot hold refused with status 1 while the others
// are still written.
TEST(BatchRun, DealFilesAreWrittenUnderTheirOwnNames) {
  TempFolder temp;
  fs::create_directory("out");
  // club.pbn holds two sets (the event changes); late.pbn one set of Board 9.
  const std::string game1 = run({"-f", "pbn", "1000100006"}).out;
  const std::string first = game1.substr(0, game1.find("\r\n\r\n[Event", game1.find("[Event")));
  std::string second = first.substr(first.find("[Event"));
  second.replace(second.find("January 1, Morning"), 18, "Second");
  std::ofstream("club.pbn", std::ios::binary) << first << "\r\n\r\n" << second;
  std::string late = second;
  late.replace(late.find("[Board \"1\"]"), 11, "[Board \"9\"]");
  std::ofstream("late.pbn", std::ios::binary) << late;
  std::ofstream("notes.pbn") << "Board 1: the ace of spades\n";

  const Result r = run({"-q", "-f", "bri", "-o", "out", "-i", "club.pbn", "-i", "notes.pbn", "-i", "late.pbn",
                        "-i", "gone.pbn", "1000100006"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(filesIn("out"), (std::vector<std::string>{"Jan-01-M.bri", "club-2.bri", "club.bri"}));
  const std::string err = r.err;
  EXPECT_NE(err.find("kveld-batch: notes.pbn: it is in no deal file format that is read"), std::string::npos) << err;
  EXPECT_NE(err.find("kveld-batch: late.pbn: bri cannot hold this set: "), std::string::npos) << err;
  EXPECT_NE(err.find("kveld-batch: gone.pbn could not be read ("), std::string::npos) << err;
  // The first set of club.pbn is Board 1 of the string, read back.
  const std::string read = run({"-f", "text", "-i", "club.pbn"}).out;
  EXPECT_EQ(read.substr(0, read.find('\n')), "club.pbn: January 1, Morning, 1 board");
  const std::string back = run({"-f", "text", "-i", "out/club.bri"}).out;
  const std::string board = back.substr(back.find("Board 1"));
  EXPECT_EQ(read.substr(read.find("Board 1"), board.size()), board);
  EXPECT_EQ(contentOf("out/club.bri").substr(0, 128), contentOf("out/Jan-01-M.bri").substr(0, 128));
}

TEST(BatchRun, MissingOutputFolderStopsAtTheFirstSetAndLeavesNothing) {
  TempFolder temp;
  const Result r = run({"-o", "missing", "1000100006", "0102230455"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.find("wrote"), std::string::npos);
  EXPECT_EQ(r.err.rfind("kveld-batch: missing/Jan-01-M.txt could not be written (", 0), 0u) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
  EXPECT_EQ(filesIn(temp.path()), std::vector<std::string>{});
  // An invalid string before the failure does not change the status.
  EXPECT_EQ(run({"-o", "missing", "12", "1000100006"}).status, 3);
}

TEST(BatchRun, StandardOutputThatFailsIsNotReportedAsSuccess) {
  std::istringstream in;
  std::ostringstream out, err;
  out.setstate(std::ios::badbit);
  BatchIo io{in, out, err, replaceNativeFile, readNativeFile, "\n", "1.2.3"};
  EXPECT_EQ(runBatch({"1000100006"}, io), 3);
  EXPECT_EQ(err.str(), "kveld-batch: the output could not be written to standard output.\n");
}

TEST(BatchRun, ArchiveOnStandardOutputIsTheFileOfTheSet) {
  struct Case {
    const char* control;
    const char* file;
    std::size_t lines;
  };
  const Case cases[] = {
      {"1000100006", "Jan-01-M.txt", 148},  // 24 boards
      {"123456789X", "Aug-23-M.txt", 220},  // 36 boards
      {"0000000000", "Jan-00-S.txt", 148},  // session 0 and day 0
      {"506020300X", "Jan-00-A.txt", 148},  // day 0 of a later year
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    const std::string out = run({c.control}).out;
    EXPECT_EQ(static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')), c.lines);
    TempFolder temp;
    EXPECT_EQ(run({"-q", "-o", ".", c.control}).status, 0);
    EXPECT_EQ(contentOf(c.file), out);
  }
}

}  // namespace
}  // namespace kveld::batch
