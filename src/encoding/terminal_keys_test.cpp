#include "encoding/terminal_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace kveld {
namespace {

std::string scan(int code) { return std::string{'\0', static_cast<char>(code)}; }
const std::string kUnknown = scan(0);

// Every key in `bytes`, decoded as readKey does once no more input comes.
std::vector<std::string> decodeAll(std::string_view bytes) {
  std::vector<std::string> keys;
  while (!bytes.empty()) {
    const DecodedKey k = decodeKey(bytes, true);
    if (k.length == 0 || k.length > bytes.size()) {
      ADD_FAILURE() << "no progress";
      break;
    }
    keys.push_back(k.key);
    bytes.remove_prefix(k.length);
  }
  return keys;
}

struct Sequence {
  const char* bytes;
  int scanCode;
};

// What xterm, the Linux console, tmux and rxvt send for the keys the program
// knows, with and without modifiers.
const Sequence kSequences[] = {
    {"\x1b[A", 72},
    {"\x1b[B", 80},
    {"\x1b[C", 77},
    {"\x1b[D", 75},  // xterm cursor keys
    {"\x1bOA", 72},
    {"\x1bOB", 80},
    {"\x1bOC", 77},
    {"\x1bOD", 75},  // application mode
    {"\x1b[H", 71},
    {"\x1b[F", 79},
    {"\x1bOH", 71},
    {"\x1bOF", 79},
    {"\x1b[1~", 71},
    {"\x1b[4~", 79},
    {"\x1b[7~", 71},
    {"\x1b[8~", 79},  // console, tmux, rxvt
    {"\x1b[2~", 82},
    {"\x1b[3~", 83},
    {"\x1b[5~", 73},
    {"\x1b[6~", 81},
    {"\x1bOP", 59},
    {"\x1bOQ", 60},
    {"\x1bOR", 61},
    {"\x1bOS", 62},
    {"\x1b[11~", 59},
    {"\x1b[12~", 60},
    {"\x1b[13~", 61},
    {"\x1b[14~", 62},
    {"\x1b[15~", 63},
    {"\x1b[17~", 64},
    {"\x1b[18~", 65},
    {"\x1b[19~", 66},
    {"\x1b[20~", 67},
    {"\x1b[21~", 68},
    {"\x1b[23~", 133},
    {"\x1b[24~", 134},
    {"\x1b[[A", 59},
    {"\x1b[[B", 60},
    {"\x1b[[C", 61},
    {"\x1b[[D", 62},
    {"\x1b[[E", 63},
    {"\x1b[1;5A", 72},
    {"\x1b[1;2B", 80},
    {"\x1b[1;3C", 77},
    {"\x1b[1;6D", 75},  // modifiers
    {"\x1b[1;5H", 71},
    {"\x1b[1;2F", 79},
    {"\x1b[1;2P", 59},
    {"\x1b[1;5S", 62},
    {"\x1b[15;5~", 63},
    {"\x1b[6;3~", 81},
    {"\x1b[24;2~", 134},
    {"\x1b[3;5~", 83},
    {"\x1bO5P", 59},
    {"\x1bOa", 72},
    {"\x1b[d", 75},
    {"\x1b[7^", 71},
    {"\x1b[Z", 15},
    // Not keys of the program: one unknown key each.
    {"\x1b[E", 0},
    {"\x1b[99~", 0},
    {"\x1b[200~", 0},
    {"\x1b[<0;10;5M", 0},
    {"\x1b[?1;2c", 0},
    {"\x1b[[Z", 0},
    {"\x1b[2;5A", 0},
    {"\x1b[~", 0},
    {"\x1bOM", 0},
};

TEST(TerminalKeys, SequencesGiveScanCodes) {
  for (const Sequence& s : kSequences) {
    const std::string bytes = s.bytes;
    const DecodedKey k = decodeKey(bytes + "x", false);
    EXPECT_EQ(k.key, scan(s.scanCode)) << testing::PrintToString(bytes);
    EXPECT_EQ(k.length, bytes.size()) << testing::PrintToString(bytes);
  }
}

TEST(TerminalKeys, UnfinishedSequenceWaitsForMore) {
  for (const Sequence& s : kSequences) {
    const std::string bytes = s.bytes;
    for (std::size_t n = 1; n < bytes.size(); ++n) {
      EXPECT_EQ(decodeKey(bytes.substr(0, n), false).length, 0u)
          << testing::PrintToString(bytes.substr(0, n));
    }
  }
}

TEST(TerminalKeys, AfterTheWaitEscIsAKeyAndAPartSequenceOneUnknownKey) {
  EXPECT_EQ(decodeAll("\x1b"), std::vector<std::string>{"\x1b"});
  EXPECT_EQ(decodeAll("\x1b["), std::vector<std::string>{kUnknown});
  EXPECT_EQ(decodeAll("\x1b[1;5"), std::vector<std::string>{kUnknown});
  EXPECT_EQ(decodeAll("\x1bO"), std::vector<std::string>{kUnknown});
  EXPECT_EQ(decodeAll("\x1b[["), std::vector<std::string>{kUnknown});
  EXPECT_EQ(decodeAll("\x1b\x1b[A"), (std::vector<std::string>{"\x1b", scan(72)}));
  EXPECT_EQ(decodeAll("\x1b\r"), (std::vector<std::string>{"\x1b", "\r"}));
}

// Terminals send Alt and a character as Esc followed by that character: one
// key without a character, never Esc and then the character.
TEST(TerminalKeys, AltWithAPrintableCharacterIsOneKeyOfItsOwn) {
  for (const std::string alt : {"y", "Y", "n", "q", "1", " ", "~"}) {
    const std::string bytes = "\x1b" + alt;
    EXPECT_EQ(decodeAll(bytes), std::vector<std::string>{kUnknown}) << testing::PrintToString(bytes);
    EXPECT_EQ(decodeAll(bytes + "y"), (std::vector<std::string>{kUnknown, "y"}))
        << testing::PrintToString(bytes);
  }
  // Read within the wait for the rest of a sequence: still one key.
  EXPECT_EQ(decodeKey("\x1b", false).length, 0u);
  EXPECT_EQ(decodeKey("\x1by", true).key, kUnknown);
}

TEST(TerminalKeys, TypedAheadKeysComeOneByOne) {
  EXPECT_EQ(decodeAll("y\x1b[Ax\x1bOP\r\x1b[6~n"),
            (std::vector<std::string>{"y", scan(72), "x", scan(59), "\r", scan(81), "n"}));
}

TEST(TerminalKeys, BrokenOrEndlessSequencesSpillNoCharacters) {
  EXPECT_EQ(decodeAll("\x1b[1\x1b[A"), (std::vector<std::string>{kUnknown, scan(72)}));
  EXPECT_EQ(decodeAll("\x1b[12\r"), (std::vector<std::string>{kUnknown, "\r"}));
  const std::string endless = "\x1b[" + std::string(100, '1');
  const DecodedKey k = decodeKey(endless, false);
  EXPECT_EQ(k.key, kUnknown);
  EXPECT_GT(k.length, 2u);
  EXPECT_EQ(decodeAll(endless).size(), 1 + (100 + 2 - k.length));  // the rest are plain digits
}

TEST(TerminalKeys, ControlBytes) {
  const std::pair<std::string, std::string> cases[] = {
      {"\r", "\r"}, {"\x03", "\x03"}, {"\x7f", "\b"},   {"\b", "\b"},
      {"\t", "\t"}, {"\n", "\n"},     {"\x1a", "\x1a"}, {std::string(1, '\0'), scan(3)},
      {"a", "a"},   {"~", "~"},
  };
  for (const auto& [bytes, key] : cases) {
    const DecodedKey k = decodeKey(bytes, false);
    EXPECT_EQ(k.key, key) << testing::PrintToString(bytes);
    EXPECT_EQ(k.length, 1u);
  }
}

TEST(TerminalKeys, Utf8CharactersBecomeCodePage437) {
  EXPECT_EQ(decodeAll("\xC3\xA9"), std::vector<std::string>{"\x82"});      // e acute
  EXPECT_EQ(decodeAll("\xC3\x9C"), std::vector<std::string>{"\x9A"});      // U umlaut
  EXPECT_EQ(decodeAll("\xC2\xA3"), std::vector<std::string>{"\x9C"});      // pound
  EXPECT_EQ(decodeAll("\xE2\x96\x88"), std::vector<std::string>{"\xDB"});  // full block
  // No glyph of code page 437, or one that stands for a control byte.
  EXPECT_EQ(decodeAll("\xE2\x82\xAC"), std::vector<std::string>{kUnknown});  // euro
  EXPECT_EQ(decodeAll("\xE2\x99\xA5"), std::vector<std::string>{kUnknown});  // heart, byte 3
  EXPECT_EQ(decodeAll("\xF0\x9F\x98\x80z"), (std::vector<std::string>{kUnknown, "z"}));
  // Broken UTF-8.
  EXPECT_EQ(decodeKey("\xC3", false).length, 0u);
  EXPECT_EQ(decodeKey("\xE2\x82", false).length, 0u);
  EXPECT_EQ(decodeAll("\xC3"), std::vector<std::string>{kUnknown});
  EXPECT_EQ(decodeAll("\xA9\xC3"
                      "A\xFF"),
            (std::vector<std::string>{kUnknown, kUnknown, "A", kUnknown}));
}

}  // namespace
}  // namespace kveld
