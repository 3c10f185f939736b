// The page's calls into the library, by embind: each takes the control
// string as typed and answers with plain JavaScript values (text, numbers,
// arrays, the bytes of a file).
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

val file(const std::string& name, const std::string& bytes) {
  val f = val::object();
  f.set("name", name);
  f.set("bytes", bytesOf(bytes));
  return f;
}

// {valid, refusal} or {valid, title, heading, boardCount}.
val check(const std::string& text) {
  const PageSet set(text);
  val result = val::object();
  result.set("valid", set.valid());
  if (!set.valid()) {
    result.set("refusal", set.refusal());
    return result;
  }
  result.set("title", set.title());
  result.set("heading", set.heading());
  result.set("boardCount", set.params().boardCount);
  return result;
}

// Each board: {number, dealer, vulnerability, hands: [{seat, holdings:
// [spades, hearts, diamonds, clubs]}] North, East, South, West}.
val boards(const std::string& text) {
  const PageSet set(text);
  val list = val::array();
  for (const Board& b : set.boards()) {
    val board = val::object();
    board.set("number", b.number);
    board.set("dealer", std::string(seatName(dealerOf(b.number))));
    board.set("vulnerability", std::string(vulnerabilityWords(vulnerabilityOf(b.number))));
    val hands = val::array();
    for (Seat seat : kSeats) {
      val hand = val::object();
      hand.set("seat", std::string(seatName(seat)));
      val holdings = val::array();
      for (Suit suit : kSuits) holdings.call<void>("push", holdingText(b.holding(seat, suit), ""));
      hand.set("holdings", holdings);
      hands.call<void>("push", hand);
    }
    board.set("hands", hands);
    list.call<void>("push", board);
  }
  return list;
}

val archive(const std::string& text) {
  const PageSet set(text);
  return file(set.archiveName(), set.archiveBytes());
}

val pbn(const std::string& text, const std::string& tricks) {
  const PageSet set(text);
  return file(set.pbnName(), set.pbnBytes(set.analysisOf(tricksFrom(tricks))));
}

std::string handRecord(const std::string& text, const std::string& tricks) {
  const PageSet set(text);
  return set.handRecord(set.analysisOf(tricksFrom(tricks)));
}

// The trick tables of boards first..last, as tricksFrom reads them.
// A failure of the solver comes back as "!" and its message.
std::string solve(const std::string& text, int first, int last) {
  try {
    const PageSet set(text);
    return tricksText(set.solve(first, last));
  } catch (const analysis::AnalysisError& e) {
    return std::string("!") + e.what();
  }
}

// Each board: {number, par, contracts, rows: [{seat, tricks: [NT, S, H, D,
// C]}] N, S, E, W}, as the hand record prints them.
val analysis(const std::string& text, const std::string& tricks) {
  const PageSet set(text);
  val list = val::array();
  for (const analysis::BoardAnalysis& a : set.analysisOf(tricksFrom(tricks))) {
    val board = val::object();
    board.set("number", a.number);
    board.set("par", formats::parScoreText(a.par));
    board.set("contracts", formats::parContractsText(a.par));
    val rows = val::array();
    for (Seat seat : {Seat::North, Seat::South, Seat::East, Seat::West}) {
      val row = val::object();
      row.set("seat", std::string(1, seatLetter(seat)));
      val counts = val::array();
      counts.call<void>("push", a.tricks[indexOf(seat)][4]);
      for (std::size_t suit = 0; suit < 4; ++suit) counts.call<void>("push", a.tricks[indexOf(seat)][suit]);
      row.set("tricks", counts);
      rows.call<void>("push", row);
    }
    board.set("rows", rows);
    list.call<void>("push", board);
  }
  return list;
}

// The valid strings one slip away from a refused text, each with its set's
// title and Board 1's North hand: [{text, title, north: {seat, holdings}}].
val near(const std::string& text) {
  RuleTables tables;
  initRuleTables(tables);
  val list = val::array();
  for (const NearString& n : nearStrings(text, tables)) {
    val north = val::object();
    north.set("seat", std::string(seatName(Seat::North)));
    val holdings = val::array();
    for (Suit suit : kSuits) holdings.call<void>("push", holdingText(n.boardOne.holding(Seat::North, suit), ""));
    north.set("holdings", holdings);
    val item = val::object();
    item.set("text", n.text);
    item.set("title", setTitle(n.params, tables));
    item.set("north", north);
    list.call<void>("push", item);
  }
  return list;
}

}  // namespace

EMSCRIPTEN_BINDINGS(kveld) {
  emscripten::function("check", &check);
  emscripten::function("boards", &boards);
  emscripten::function("archive", &archive);
  emscripten::function("pbn", &pbn);
  emscripten::function("handRecord", &handRecord);
  emscripten::function("solve", &solve);
  emscripten::function("analysis", &analysis);
  emscripten::function("near", &near);
  emscripten::function("setSolverMemory", &analysis::setSolverMemory);
}

}  // namespace kveld::web
