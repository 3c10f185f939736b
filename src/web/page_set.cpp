#include "web/page_set.h"

#include "formats/analysis_text.h"
#include "formats/control_check.h"
#include "formats/formats.h"
#include "rules/dealer.h"

#ifndef KVELD_VERSION
#define KVELD_VERSION "0"
#endif

namespace kveld::web {

PageSet PageSet::ofControlString(std::string_view text) {
  PageSet page;
  const formats::CheckedString checked = formats::checkString(text);
  if (!checked.params) {
    page.refusal_ = formats::refusal(text, checked.problem);
    return page;
  }
  page.setCount_ = 1;
  page.set_ = formats::setOfControlString(text, *checked.params, dealSet(*checked.params));
  return page;
}

PageSet PageSet::ofFile(std::string_view fileName, std::string_view bytes, int index) {
  PageSet page;
  formats::Read read = formats::readDealFile(bytes);
  if (!read.refusal.empty()) {
    page.refusal_ = std::string(fileName) + ": " + read.refusal + ".";
    return page;
  }
  formats::nameSetsOfFile(read.sets, fileName);
  page.setCount_ = static_cast<int>(read.sets.size());
  page.set_ = std::move(read.sets.at(static_cast<std::size_t>(index)));
  return page;
}

std::vector<analysis::BoardAnalysis> PageSet::analysisOf(std::span<const analysis::TrickTable> tables) const {
  return formats::analysisFromTables(set_, tables);
}

std::vector<PageSet::File> PageSet::files(const std::vector<analysis::BoardAnalysis>& analysis) const {
  std::vector<File> out;
  for (const formats::Format& f : formats::formats()) {
    // The text and the hand record are for reading, not for other programs.
    if (f.name == "text" || f.name == "html") continue;
    const formats::Written w = written(f, analysis);
    if (w.refusal.empty()) out.push_back({std::string(f.label), set_.name + std::string(f.extension), w.bytes});
  }
  return out;
}

std::string PageSet::handRecord(const std::vector<analysis::BoardAnalysis>& analysis) const {
  return written(*formats::findFormat("html"), analysis).bytes;
}

formats::Written PageSet::written(const formats::Format& format,
                                  const std::vector<analysis::BoardAnalysis>& analysis) const {
  // A file's lines end as its format fixes them (CR LF for the archive and
  // the PBN); the others as on the web, in LF.
  const formats::FormatContext context{"\n", std::string(kCreator) + " " + KVELD_VERSION};
  formats::DealSet set = set_;
  if (format.showsAnalysis) set.analysis = analysis;
  return formats::fileOf(format, set, context);
}

std::string cardsOf(const Board& board) {
  std::string cards;
  for (Suit suit : kSuits)
    for (int rank = 0; rank < kRanks; ++rank)
      for (Seat seat : kSeats)
        if (board.holding(seat, suit) & (1u << rank)) cards += seatLetter(seat);
  return cards;
}

Board boardOfCards(std::string_view cards) {
  if (cards.size() != 52) throw analysis::AnalysisError("a board needs 52 cards");
  Board board;
  board.number = 1;
  for (std::size_t card = 0; card < 52; ++card) {
    const std::size_t seat = std::string_view("NESW").find(cards[card]);
    if (seat == std::string_view::npos) throw analysis::AnalysisError("a card has no seat");
    Holding& h = board.cards[seat][card / 13];
    h = static_cast<Holding>(h | (1u << (card % 13)));
  }
  return board;
}

std::string tricksText(std::span<const analysis::BoardAnalysis> boards) {
  std::string text;
  for (const analysis::BoardAnalysis& b : boards) text += formats::doubleDummyTricks(b);
  return text;
}

std::vector<analysis::TrickTable> tricksFrom(std::string_view text) {
  std::vector<analysis::TrickTable> tables;
  for (std::size_t at = 0; at + 20 <= text.size(); at += 20)
    tables.push_back(formats::tricksFromDigits(text.substr(at, 20)).value_or(analysis::TrickTable{}));
  return tables;
}

}  // namespace kveld::web
