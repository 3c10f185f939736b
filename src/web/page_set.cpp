#include "web/page_set.h"

#include <algorithm>
#include <memory>

#include "analysis/deal_store_hands.h"
#include "batch/control_check.h"
#include "batch/formats.h"
#include "batch/set_analysis.h"
#include "rules/archive_text.h"
#include "rules/dealer.h"

#ifndef KVELD_VERSION
#define KVELD_VERSION "0"
#endif

namespace kveld::web {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

}  // namespace

PageSet::PageSet(std::string_view text) : text_(text) {
  initRuleTables(tables_);
  const batch::CheckedString checked = batch::checkString(text, tables_);
  if (!checked.params) {
    refusal_ = "\"" + batch::printable(text) + "\" is not a valid control string: " + checked.problem + ".";
    return;
  }
  params_ = checked.params;
  boards_ = dealSet(*params_);
}

std::string PageSet::title() const { return setTitle(*params_, tables_); }

std::string PageSet::heading() const { return batch::describeSet(*params_, tables_); }

namespace {

analysis::BoardHands handsOf(const Board& board) {
  analysis::BoardHands hands;
  hands.number = board.number;
  hands.dealer = analysis::dealerOfBoard(board.number);
  hands.vulnerability = analysis::vulnerabilityOfBoard(board.number);
  hands.cards = board.cards;
  return hands;
}

DealStore storeOf(const std::vector<Board>& boards) {
  DealStore store;
  for (const Board& b : boards)
    for (std::size_t seat = 0; seat < 4; ++seat)
      for (std::size_t suit = 0; suit < 4; ++suit)
        store.handBits[static_cast<std::size_t>(b.number)][seat][suit] =
            static_cast<std::int16_t>(b.cards[seat][suit]);
  return store;
}

}  // namespace

std::vector<analysis::BoardAnalysis> PageSet::solve(int first, int last) const {
  std::vector<analysis::BoardHands> hands;
  for (const Board& b : boards_)
    if (b.number >= first && b.number <= last) hands.push_back(handsOf(b));
  return analysis::analyseBoards(hands);
}

std::vector<analysis::BoardAnalysis> PageSet::analysisOf(
    const std::vector<analysis::TrickTable>& tables) const {
  std::vector<analysis::BoardAnalysis> out;
  for (std::size_t i = 0; i < tables.size() && i < boards_.size(); ++i) {
    analysis::BoardAnalysis a;
    a.number = boards_[i].number;
    a.tricks = tables[i];
    a.par = analysis::parOf(a.tricks, analysis::dealerOfBoard(a.number),
                            analysis::vulnerabilityOfBoard(a.number));
    out.push_back(a);
  }
  return out;
}

std::string PageSet::archiveName() const { return kveld::archiveName(tables_, *params_, "").fileName; }

std::string PageSet::archiveBytes() const {
  auto store = std::make_unique<DealStore>(storeOf(boards_));
  for (const Board& b : boards_) describeBoard(*store, b.number, tables_);
  return archiveText(tables_, *params_, *store);
}

std::string PageSet::pbnName() const {
  return batch::fileNameOf(*batch::findFormat("pbn"), *params_, tables_);
}

std::string PageSet::pbnBytes(const std::vector<analysis::BoardAnalysis>& analysis) const {
  const batch::FormatContext context{tables_, "\r\n", KVELD_VERSION};
  auto store = std::make_unique<DealStore>(storeOf(boards_));
  batch::SetAnalysis setAnalysis{analysis};
  const batch::DealtSet set{text_, *params_, *store, analysis.empty() ? nullptr : &setAnalysis};
  return batch::pbnBegin(context) + batch::pbnSet(set, context, 0);
}

std::string PageSet::handRecord(const std::vector<analysis::BoardAnalysis>& analysis) const {
  const batch::FormatContext context{tables_, "\n", KVELD_VERSION};
  auto store = std::make_unique<DealStore>(storeOf(boards_));
  batch::SetAnalysis setAnalysis{analysis};
  const batch::DealtSet set{text_, *params_, *store, analysis.empty() ? nullptr : &setAnalysis};
  return batch::htmlBegin(context) + batch::htmlSet(set, context, 0) + batch::htmlEnd(context);
}

std::string tricksText(const std::vector<analysis::BoardAnalysis>& boards) {
  std::string text;
  for (const analysis::BoardAnalysis& b : boards)
    for (const auto& seat : b.tricks)
      for (int tricks : seat) text += kHexDigits[static_cast<std::size_t>(std::clamp(tricks, 0, 13))];
  return text;
}

std::vector<analysis::TrickTable> tricksFrom(std::string_view text) {
  std::vector<analysis::TrickTable> tables;
  for (std::size_t at = 0; at + 20 <= text.size(); at += 20) {
    analysis::TrickTable t{};
    for (std::size_t i = 0; i < 20; ++i) {
      const std::size_t digit = kHexDigits.find(text[at + i]);
      t[i / 5][i % 5] = digit == std::string_view::npos ? 0 : static_cast<int>(digit);
    }
    tables.push_back(t);
  }
  return tables;
}

}  // namespace kveld::web
