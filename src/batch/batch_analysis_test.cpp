// kveld-batch --analyse: when it may be asked for, and whole runs with the
// real solver.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/batch_run.h"
#include "batch/options.h"
#include "platform/native_files.h"

namespace kveld::batch {
namespace {

struct Result {
  int status = -1;
  std::string out, err;
};

Result run(const std::vector<std::string>& args, bool errIsTerminal = false, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  BatchIo io{in, out, err, replaceNativeFile, readNativeFile, "\n", "1.2.3"};
  io.errIsTerminal = errIsTerminal;
  Result r;
  r.status = runBatch(args, io);
  r.out = out.str();
  r.err = err.str();
  return r;
}

TEST(BatchAnalysis, OnlyFormatsThatShowItTakeIt) {
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"-a", "1000100006"},
                                             {"--analyse", "-f", "archive", "1000100006"},
                                             {"--analyze", "-c", "-f", "pbn", "1000100006"}}) {
    const Result r = run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(run({"-a", "1000100006"}).err,
            "kveld-batch: --analyse needs the format pbn, text or html, not archive; see --help.\n");
  EXPECT_EQ(run({"-ac", "-fpbn", "1000100006"}).err,
            "kveld-batch: --analyse does not go with --check: a check deals nothing; see --help.\n");
  for (const char* spelling : {"-a", "--analyse", "--analyze"}) {
    for (const char* format : {"pbn", "text", "html"}) {
      const ParsedOptions parsed = parseOptions({spelling, "-f", format, "1000100006"});
      EXPECT_EQ(parsed.usageError, "") << spelling << " " << format;
      EXPECT_TRUE(parsed.options.analyse);
    }
  }
  EXPECT_FALSE(parseOptions({"-f", "pbn", "1000100006"}).options.analyse);
  EXPECT_NE(run({"--help"}).out.find("-a, --analyse"), std::string::npos);
}

// Board 1 of 1000100006 as deal's own solver gives it: North 1 NT, 2 S,
// 1 H, 0 D, 5 C; South 1 2 1 1 5; East and West 12 11 12 12 7. East-West
// make 6NT, not vulnerable: 990.
// A board read from a file is analysed for the vulnerability the file
// states. On Board 1 of 1000100006 East-West make 6NT: 990 with nobody
// vulnerable, as its number has it, and 1440 when the file makes both sides
// vulnerable.
TEST(BatchAnalysis, ParFollowsTheVulnerabilityAFileStates) {
  const std::string board1 = "qx|o1|md|3SQJ42HQ75D5CAT754,SKTHKJ84DAQT96CJ8,S98HT63DJ432C9632,|ah|Board 1|sv|";
  for (const auto& [vulnerable, par] : {std::pair{"o", "Par: NS -990, EW 6NT"}, {"b", "Par: NS -1440, EW 6NT"}}) {
    const Result r = run({"-a", "-f", "text", "-i", "-"}, false, board1 + vulnerable + "|\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(par), std::string::npos) << r.out;
  }
}

TEST(BatchAnalysis, WholeSetsInPbnAndTextAgree) {
  const Result pbn = run({"--analyse", "-f", "pbn", "1000100006"}, true);
  ASSERT_EQ(pbn.status, 0) << pbn.err;
  EXPECT_NE(pbn.out.find("[Board \"1\"]"), std::string::npos);
  const std::size_t board1 = pbn.out.find("[Result \"?\"]\r\n[DoubleDummyTricks \"1210512115cbcc7cbcc7\"]");
  EXPECT_NE(board1, std::string::npos);
  EXPECT_NE(pbn.out.find("[OptimumScore \"NS -990\"]\r\n[ParContract \"EW 6NT\"]", board1),
            std::string::npos);
  // On a terminal, the bar goes from none to all 24 boards and is wiped at
  // the end of the set.
  EXPECT_EQ(pbn.err.substr(0, 6), "\r[....");
  EXPECT_NE(pbn.err.find("]  24/24 boards"), std::string::npos);
  EXPECT_EQ(pbn.err.back(), '\r');
  EXPECT_EQ(pbn.err.find('\n'), std::string::npos);

  const Result text = run({"-a", "-f", "text", "1000100006"}, false);
  ASSERT_EQ(text.status, 0);
  EXPECT_EQ(text.err, "");  // not a terminal: no bar
  EXPECT_NE(text.out.find("    NT  S  H  D  C\n"
                          "N   1  2  1  0  5\n"
                          "S   1  2  1  1  5\n"
                          "E  12 11 12 12  7\n"
                          "W  12 11 12 12  7\n"
                          "Par: NS -990, EW 6NT\n"),
            std::string::npos);
  // Every board's par in the text is the one in the PBN.
  std::size_t at = 0;
  int boards = 0;
  for (std::size_t p; (p = pbn.out.find("[OptimumScore \"", at)) != std::string::npos; at = p + 1) {
    const std::size_t q = pbn.out.find("\"]", p);
    const std::string score = pbn.out.substr(p + 15, q - p - 15);
    const std::size_t c = pbn.out.find("[ParContract \"", q);
    const std::string contracts = pbn.out.substr(c + 14, pbn.out.find("\"]", c) - c - 14);
    EXPECT_NE(text.out.find("Par: " + score + ", " + contracts + "\n"), std::string::npos) << score;
    ++boards;
  }
  EXPECT_EQ(boards, 24);
}

}  // namespace
}  // namespace kveld::batch
