#pragma once
// What the page asks of the library about one control string: whether it
// is valid (and why not), the boards it deals, the files the other programs
// write for it, and the double-dummy analysis of its boards. Every answer
// comes from the rules, the formats and the solver that kveld-batch calls;
// the page only lays out the text it is given.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/double_dummy.h"
#include "rules/board.h"
#include "rules/set_parameters.h"

namespace kveld::web {

// The program named in the files the page writes: "kveld.html 1.0.0".
inline constexpr std::string_view kCreator = "kveld.html";

class PageSet {
 public:
  // Checks `text` as kveld-batch checks a control string.
  explicit PageSet(std::string_view text);

  bool valid() const { return params_.has_value(); }
  // Why the text is refused, in kveld-batch's sentence (without its name).
  const std::string& refusal() const { return refusal_; }
  const SetParameters& params() const { return *params_; }
  // "January 1, Morning" and "January 1, Morning, 24 boards".
  std::string title() const;
  std::string heading() const;

  // Boards 1..boardCount as dealt.
  const std::vector<Board>& boards() const { return boards_; }

  // Solves boards first..last (counted from 1).
  std::vector<analysis::BoardAnalysis> solve(int first, int last) const;
  // The analysis of the whole set from the trick tables solved (one per
  // board, in order), each board's par worked out for its dealer and
  // vulnerability; none when `tables` is empty.
  std::vector<analysis::BoardAnalysis> analysisOf(const std::vector<analysis::TrickTable>& tables) const;

  // The files, named and written as kveld-batch writes them; the PBN file's
  // creator is the page.
  std::string archiveName() const;
  std::string archiveBytes() const;
  std::string pbnName() const;
  std::string pbnBytes(const std::vector<analysis::BoardAnalysis>& analysis) const;
  // The printable hand record, kveld-batch's --format html page.
  std::string handRecord(const std::vector<analysis::BoardAnalysis>& analysis) const;

 private:
  // The set in the format of that name, begun and ended as one file.
  std::string written(std::string_view formatName,
                      const std::vector<analysis::BoardAnalysis>& analysis) const;

  std::string text_;
  std::optional<SetParameters> params_;
  std::string refusal_;
  std::vector<Board> boards_;
};

// Trick tables as the page passes them between its solvers: twenty
// hexadecimal digits a board, declarers N, E, S, W, each S, H, D, C, NT.
std::string tricksText(const std::vector<analysis::BoardAnalysis>& boards);
std::vector<analysis::TrickTable> tricksFrom(std::string_view text);

}  // namespace kveld::web
