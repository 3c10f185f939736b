// The page's calls into the library, by embind. A set's source is either
// {text} (a control string as typed) or {name, bytes, index} (set `index`
// of a deal file); every call answers with plain JavaScript values (text,
// numbers, arrays, the bytes of a file).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "analysis/double_dummy.h"
#include "formats/analysis_text.h"
#include "rules/near_strings.h"
#include "web/page_set.h"

namespace kveld::web {

namespace {

using emscripten::val;

val bytesOf(const std::string& bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  // A copy, so that the bytes outlive this call.
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), data));
}

PageSet pageSetOf(const val& source) {
  if (source["bytes"].isUndefined()) return PageSet::ofControlString(source["text"].as<std::string>());
  const std::vector<unsigned char> bytes = emscripten::convertJSArrayToNumberVector<unsigned char>(source["bytes"]);
  return PageSet::ofFile(source["name"].as<std::string>(), std::string(bytes.begin(), bytes.end()),
                         source["index"].isUndefined() ? 0 : source["index"].as<int>());
}

// {valid, refusal} or {valid, title, heading, origin, setCount, boardCount}.
val check(const val& source) {
  const PageSet page = pageSetOf(source);
  val result = val::object();
  result.set("valid", page.valid());
  if (!page.valid()) {
    result.set("refusal", page.refusal());
    return result;
  }
  result.set("title", page.set().title);
  result.set("heading", page.set().heading());
  result.set("origin", page.set().origin);
  result.set("setCount", page.setCount());
  result.set("boardCount", static_cast<int>(page.set().boards.size()));
  return result;
}

// A seat's hand: {seat, points, holdings: [spades, hearts, diamonds, clubs]}.
val handOf(const Board& b, Seat seat) {
  val hand = val::object();
  hand.set("seat", std::string(seatName(seat)));
  hand.set("points", b.highCardPoints(seat));
  val holdings = val::array();
  for (Suit suit : kSuits) holdings.call<void>("push", holdingText(b.holding(seat, suit), ""));
  hand.set("holdings", holdings);
  return hand;
}

// Each board: {number, dealer, vulnerability, cards, hands: [{seat,
// holdings: [spades, hearts, diamonds, clubs]}] North, East, South, West};
// `cards` is what a solver is given (cardsOf).
val boards(const val& source) {
  const PageSet page = pageSetOf(source);
  val list = val::array();
  for (const formats::SetBoard& sb : page.set().boards) {
    const Board& b = sb.deal;
    val board = val::object();
    board.set("number", b.number);
    board.set("dealer", std::string(seatName(sb.dealer)));
    board.set("vulnerability", std::string(vulnerabilityWords(sb.vulnerability)));
    board.set("cards", cardsOf(b));
    val hands = val::array();
    for (Seat seat : kSeats) hands.call<void>("push", handOf(b, seat));
    board.set("hands", hands);
    list.call<void>("push", board);
  }
  return list;
}

// [{label, name, bytes}] for every format that holds the set.
val files(const val& source, const std::string& tricks) {
  const PageSet page = pageSetOf(source);
  val list = val::array();
  for (const PageSet::File& f : page.files(page.analysisOf(tricksFrom(tricks)))) {
    val file = val::object();
    file.set("label", f.label);
    file.set("name", f.name);
    file.set("bytes", bytesOf(f.bytes));
    list.call<void>("push", file);
  }
  return list;
}

std::string handRecord(const val& source, const std::string& tricks) {
  const PageSet page = pageSetOf(source);
  return page.handRecord(page.analysisOf(tricksFrom(tricks)));
}

// The trick table of one board given as cardsOf gives it, as tricksFrom
// reads it. A failure of the solver comes back as "!" and its message.
std::string solve(const std::string& cards) {
  try {
    const Board board = boardOfCards(cards);
    return tricksText(analysis::analyseBoards(std::span<const Board>(&board, 1)));
  } catch (const analysis::AnalysisError& e) {
    return std::string("!") + e.what();
  }
}

// Each board: {number, par, contracts, columns, rows: [{seat, tricks}]},
// the columns and rows in the order the hand record prints them.
val analysis(const val& source, const std::string& tricks) {
  const PageSet page = pageSetOf(source);
  val list = val::array();
  for (const analysis::BoardAnalysis& a : page.analysisOf(tricksFrom(tricks))) {
    val board = val::object();
    board.set("number", a.number);
    board.set("par", formats::parScoreText(a.par));
    board.set("contracts", formats::parContractsText(a.par));
    val columns = val::array();
    for (analysis::Denomination d : formats::kDenominationOrder)
      columns.call<void>("push", formats::denominationText(d));
    board.set("columns", columns);
    val rows = val::array();
    for (Seat seat : formats::kDeclarerOrder) {
      val row = val::object();
      row.set("seat", std::string(1, seatLetter(seat)));
      val counts = val::array();
      for (analysis::Denomination d : formats::kDenominationOrder) counts.call<void>("push", a.tricksFor(seat, d));
      row.set("tricks", counts);
      rows.call<void>("push", row);
    }
    board.set("rows", rows);
    list.call<void>("push", board);
  }
  return list;
}

// The valid strings one slip away from a refused text, each with its set's
// title and Board 1's North hand: [{text, title, north}].
val near(const std::string& text) {
  val list = val::array();
  for (const NearString& n : nearStrings(text)) {
    val item = val::object();
    item.set("text", n.text);
    item.set("title", setTitle(n.params));
    item.set("north", handOf(n.boardOne, Seat::North));
    list.call<void>("push", item);
  }
  return list;
}

}  // namespace

EMSCRIPTEN_BINDINGS(kveld) {
  emscripten::function("check", &check);
  emscripten::function("boards", &boards);
  emscripten::function("files", &files);
  emscripten::function("handRecord", &handRecord);
  emscripten::function("solve", &solve);
  emscripten::function("analysis", &analysis);
  emscripten::function("near", &near);
  emscripten::function("setSolverMemory", &analysis::setSolverMemory);
}

}  // namespace kveld::web
