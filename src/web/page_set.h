#pragma once
// What the page asks of the library about one set, from a control string or
// from a deal file: whether it can be read (and why not), its boards, the
// files of every format that can hold it, and its double-dummy analysis.
// Every answer comes from the rules, the formats and the solver that
// kveld-batch calls; the page only lays out the text it is given.
#include <string>
#include <string_view>
#include <vector>

#include "analysis/double_dummy.h"
#include "formats/deal_set.h"
#include "formats/formats.h"

namespace kveld::web {

// The program named in the files the page writes: "kveld.html 1.0.0".
inline constexpr std::string_view kCreator = "kveld.html";

class PageSet {
 public:
  // Checks `text` as kveld-batch checks a control string.
  static PageSet ofControlString(std::string_view text);
  // Set `index` (from 0) of a deal file, read as kveld-batch reads it.
  static PageSet ofFile(std::string_view fileName, std::string_view bytes, int index);

  bool valid() const { return refusal_.empty(); }
  // Why the text or file is refused, in kveld-batch's sentence (without its
  // name).
  const std::string& refusal() const { return refusal_; }
  // The sets in the file (1 for a control string).
  int setCount() const { return setCount_; }
  const formats::DealSet& set() const { return set_; }

  // The analysis of the set from the trick tables solved (one per board, in
  // order), each board's par worked out for its dealer and vulnerability.
  std::vector<analysis::BoardAnalysis> analysisOf(std::span<const analysis::TrickTable> tables) const;

  struct File {
    std::string label;  // "PBN"
    std::string name;   // "Jan-01-M.pbn"
    std::string bytes;
  };
  // The set's file in every format that can hold it and that a dealing
  // machine, a viewer or DeepFinesse reads, written as kveld-batch writes
  // it; the PBN file's creator is the page.
  std::vector<File> files(const std::vector<analysis::BoardAnalysis>& analysis) const;
  // The printable hand record, kveld-batch's --format html page.
  std::string handRecord(const std::vector<analysis::BoardAnalysis>& analysis) const;

 private:
  formats::Written written(const formats::Format& format,
                           const std::vector<analysis::BoardAnalysis>& analysis) const;

  std::string refusal_;
  int setCount_ = 0;
  formats::DealSet set_;
};

// A board's hands as the page gives them to a solver: for each card from
// the ace of spades to the two of clubs, the letter of the seat holding it.
std::string cardsOf(const Board& board);
// The board those letters stand for (number 1); AnalysisError when they
// are not 52 seat letters.
Board boardOfCards(std::string_view cards);

// Trick tables as the page passes them from its solvers: a board's twenty
// digits as PBN's DoubleDummyTricks gives them, one board after another.
std::string tricksText(std::span<const analysis::BoardAnalysis> boards);
std::vector<analysis::TrickTable> tricksFrom(std::string_view text);

}  // namespace kveld::web
