#include "deal/control_string.h"

#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/flow_control.h"
#include "app/program.h"
#include "platform/scripted_console.h"
#include "testing/recording_system.h"

namespace kveld {
namespace {

struct Tables {
  Tables() { initProgramTables(t); }
  ProgramTables t;
};
const ProgramTables& tables() {
  static const Tables instance;
  return instance.t;
}

SetParameters params(int day, int year, int month, int dayOfMonth, int offset, int session, int boards) {
  auto i16 = [](int v) { return static_cast<std::int16_t>(v); };
  return {i16(day), i16(year), i16(month), i16(dayOfMonth), i16(offset), i16(session), i16(boards)};
}

TEST(DecodeDayNumber, CalendarWithItsDayZeroAndRepeatedFirstOfJanuary) {
  struct Case {
    int day, year, month, dayOfMonth;
  };
  const Case cases[] = {
      {0, 1, 1, 0},     {1, 1, 1, 1},      {59, 1, 2, 28},    {60, 1, 3, 1},    {364, 1, 12, 30},
      {365, 2, 1, 0},   {366, 2, 1, 1},    {730, 3, 1, 0},    {1095, 4, 1, 0},  {1096, 4, 1, 1},
      {1155, 4, 2, 29}, {1459, 4, 12, 29}, {1460, 5, 1, 0},   {1461, 5, 1, 1},  {1462, 5, 1, 1},
      {5000, 14, 9, 9}, {9731, 27, 8, 23}, {9999, 28, 5, 17},
  };
  for (const Case& c : cases) {
    const CalendarDate expected{static_cast<std::int16_t>(c.year), static_cast<std::int16_t>(c.month),
                                static_cast<std::int16_t>(c.dayOfMonth)};
    EXPECT_EQ(decodeDayNumber(static_cast<std::int16_t>(c.day), tables()), expected) << "day " << c.day;
  }
}

TEST(DecodeDayNumber, EveryDayCountGivesADateInRange) {
  for (int day = 0; day <= 9999; ++day) {
    const CalendarDate d = decodeDayNumber(static_cast<std::int16_t>(day), tables());
    ASSERT_GE(d.yearNumber, 1) << day;
    ASSERT_LE(d.yearNumber, 28) << day;
    ASSERT_GE(d.monthNumber, 1) << day;
    ASSERT_LE(d.monthNumber, 12) << day;
    ASSERT_GE(d.dayOfMonth, 0) << day;
    ASSERT_LE(d.dayOfMonth, 31) << day;
  }
}

TEST(CheckControlString, ValidStringsDecode) {
  struct Case {
    const char* text;
    SetParameters expected;
  };
  const SetParameters mixed = params(9731, 27, 8, 23, 2468, 1, 36);
  const Case cases[] = {
      {"123456789X", mixed},
      {" 123456789X", mixed},
      {"1 23456789X", mixed},
      {"12345678 9X", mixed},
      {"123456789 X", mixed},
      {"0000000000", params(0, 1, 1, 0, 0, 0, 24)},
      {"1000100006", params(1, 1, 1, 1, 0, 1, 24)},
      {"0102230455", params(5000, 14, 9, 9, 1234, 2, 24)},
  };
  for (const Case& c : cases) {
    const auto digits = checkControlString(c.text);
    ASSERT_TRUE(digits.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(decodeControlDigits(*digits, tables()), c.expected) << '"' << c.text << '"';
  }
  const auto x = checkControlString("123456789X");
  EXPECT_EQ((*x)[10], 10);
  EXPECT_EQ((*x)[1], 1);
}

TEST(CheckControlString, Typos) {
  const char* typos[] = {
      "1234567890",    // weighted sum 210
      "123456789X ",   // a blank after the tenth digit
      "123456789X0",   // a digit after it
      "",              // nothing
      "123456789",     // nine digits
      "   12345 ",     // too few, with blanks
      "1000100007",    // check digit off by one
      "1000100006-",   // a foreign character after a valid string
      "10001-00006",   // and inside one
      "123456789x",    // lower case is upper-cased by the editor, not here
  };
  for (const char* text : typos) EXPECT_FALSE(checkControlString(text).has_value()) << '"' << text << '"';
  // An X in any of the first nine places, even where the sum would work out.
  for (int i = 0; i < 9; ++i) {
    std::string text = "123456789X";
    text[static_cast<std::size_t>(i)] = 'X';
    EXPECT_FALSE(checkControlString(text).has_value()) << text;
  }
  // X as the check digit counts 10: 2 x 6 + 10 = 22 passes, 2 x 1 + 10 = 12
  // does not.
  EXPECT_TRUE(checkControlString("000000006X").has_value());
  EXPECT_FALSE(checkControlString("000000001X").has_value());
}

TEST(DecodeControlDigits, SessionAndBoardCountByFifthDigit) {
  const int sessions[] = {0, 1, 2, 3, 4, 1, 2, 3, 4, 1};
  for (int d5 = 0; d5 <= 9; ++d5) {
    ControlDigits digits{};
    digits[5] = static_cast<std::int16_t>(d5);
    const SetParameters p = decodeControlDigits(digits, tables());
    EXPECT_EQ(p.sessionNumber, sessions[d5]) << d5;
    EXPECT_EQ(p.boardCount, d5 > 4 ? 36 : 24) << d5;
  }
}

TEST(DecodeControlDigits, PositionsOfDayCountAndOffset) {
  ControlDigits d{};
  for (std::size_t i = 1; i <= 9; ++i) d[i] = static_cast<std::int16_t>(i);
  const SetParameters p = decodeControlDigits(d, tables());
  EXPECT_EQ(p.dayNumber, 9731);
  EXPECT_EQ(p.dealOffset, 2468);
}

// The screen: the prompt, the line editor, the typo alert, help and Esc.
struct EntryTest : ::testing::Test {
  EntryTest() {
    initProgramTables(t);
    kit.drawTitleScreen();
  }
  void type(const std::string& text) { device.addKeys(keys::typed(text)); }
  const ScreenModel& atKey(std::size_t i) const { return device.screensAtKeys().at(i); }

  ProgramTables t;
  ScriptedConsole device;
  ConsoleKit kit{device, t};
  RecordingSystem system;
  Program program{t, kit, system};
};

TEST_F(EntryTest, PromptAndTypedText) {
  type("1000100006\r");
  enterControlString(program);
  EXPECT_EQ(program.params, params(1, 1, 1, 1, 0, 1, 24));
  EXPECT_EQ(program.controlDigit[10], 6);
  EXPECT_EQ(program.controlDigit[5], 1);

  const ScreenModel& first = atKey(0);
  EXPECT_EQ(textAt(first, 13, 5, 24), "Enter DF control string:");
  EXPECT_TRUE(allAttr(first, 13, 5, 24, yellow + 16 * blue));
  EXPECT_EQ(textAt(first, 73, 5, 4), "Help");
  EXPECT_TRUE(allAttr(first, 73, 5, 1, yellow + 16 * blue));
  EXPECT_TRUE(allAttr(first, 74, 5, 3, brown + 16 * blue));
  EXPECT_EQ(first.cursorColumn, 39);
  EXPECT_EQ(first.cursorRow, 5);
  EXPECT_TRUE(first.cursorVisible);
  EXPECT_EQ(first.at(3, 5).ch, 186);  // the frame stays

  const ScreenModel& last = atKey(10);  // waiting for Enter
  EXPECT_EQ(textAt(last, 39, 5, 11), "1000100006 ");
  EXPECT_TRUE(allAttr(last, 39, 5, 10, white + 16 * blue));
  EXPECT_EQ(last.cursorColumn, 49);
  EXPECT_TRUE(device.sounds().empty());
  EXPECT_EQ(device.events().front().kind, ScriptedConsole::Event::flush);
}

TEST_F(EntryTest, LowerCaseXAndBlanksGiveTheSameValues) {
  for (const std::string text : {"123456789x", " 123456789X", "12345 6789x", "123456789 x"}) {
    ScriptedConsole dev(keys::typed(text + "\r"));
    ConsoleKit k(dev, t);
    Program p(t, k, system);
    enterControlString(p);
    EXPECT_EQ(p.params, params(9731, 27, 8, 23, 2468, 1, 36)) << text;
    std::string shown = text;
    for (char& c : shown) c = c == 'x' ? 'X' : c;
    EXPECT_EQ(textAt(k.screen(), 39, 5, static_cast<int>(text.size())), shown);
  }
}

TEST_F(EntryTest, TypoAlertThenAFreshPrompt) {
  type("1234567890\r");
  device.addKeys({"q"});  // the any key
  type("1000100006\r");
  enterControlString(program);
  EXPECT_EQ(program.params.dayNumber, 1);

  const ScreenModel& alert = atKey(11);
  EXPECT_EQ(textAt(alert, 18, 22, 44), " There is a typo in your input.  Try again. ");
  EXPECT_TRUE(allAttr(alert, 18, 22, 44, white + 16 * magenta));
  EXPECT_TRUE(allAttr(alert, 4, 22, 14, yellow + 16 * blue));
  EXPECT_TRUE(allAttr(alert, 62, 22, 16, yellow + 16 * blue));
  EXPECT_FALSE(alert.cursorVisible);
  EXPECT_EQ(textAt(alert, 39, 5, 10), "1234567890");

  const ScreenModel& again = atKey(12);
  EXPECT_EQ(textAt(again, 4, 22, 74), std::string(74, ' '));
  EXPECT_TRUE(allAttr(again, 4, 22, 74, yellow + 16 * blue));
  EXPECT_EQ(textAt(again, 39, 5, 10), std::string(10, ' '));
  EXPECT_EQ(again.cursorColumn, 39);
  EXPECT_TRUE(again.cursorVisible);

  // The alert beeps, then discards earlier keys before its wait.
  const auto& ev = device.events();
  std::size_t beep = 0;
  while (ev[beep].kind != ScriptedConsole::Event::sound) ++beep;
  EXPECT_EQ(ev[beep].text, "beep2");
  EXPECT_EQ(ev[beep + 1].kind, ScriptedConsole::Event::flush);
  EXPECT_EQ(ev[beep + 2].kind, ScriptedConsole::Event::key);
  EXPECT_EQ(ev[beep + 2].text, "q");
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"beep2"});
}

TEST_F(EntryTest, EveryTypoEndsInTheAlert) {
  for (const std::string text : {"", "123456789", "123456789X ", "X23456789X", "1234567890"}) {
    ScriptedConsole dev(keys::typed(text + "\r"));
    dev.addKeys({keys::esc});  // the any key, then a valid string
    dev.addKeys(keys::typed("0000000000\r"));
    ConsoleKit k(dev, t);
    Program p(t, k, system);
    enterControlString(p);
    EXPECT_EQ(textAt(dev.screensAtKeys().at(text.size() + 1), 18, 22, 8), " There i") << '"' << text << '"';
    EXPECT_EQ(p.params.boardCount, 24);
  }
}

TEST_F(EntryTest, RefusedKeysBeepAndChangeNothing) {
  const std::vector<std::string> refused = {"A", "/", ":", "-", "\x03", "\t", keys::up, keys::down,
                                            keys::f1, keys::left, std::string(1, '\xe9')};
  type("12");
  device.addKeys(refused);
  type("3456789X\r");
  enterControlString(program);
  EXPECT_EQ(program.params.dayNumber, 9731);
  EXPECT_EQ(device.sounds(), std::vector<std::string>(refused.size(), "beep2"));
  for (std::size_t i = 2; i < 2 + refused.size(); ++i) EXPECT_EQ(atKey(i), atKey(2)) << i;
  // The up arrow's scan code is the letter H: it must not open the manual.
  EXPECT_TRUE(system.commands.empty());
}

TEST_F(EntryTest, BackspaceErasesTheLastCharacterOrBeepsAtTheStart) {
  device.addKeys({keys::backspace});
  type("129");
  device.addKeys({keys::backspace});
  type("3456789X\r");
  enterControlString(program);
  EXPECT_EQ(program.params.dayNumber, 9731);
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"beep2"});
  EXPECT_EQ(atKey(1), atKey(0));  // the first Backspace changed nothing
  EXPECT_EQ(textAt(atKey(4), 39, 5, 3), "129");
  const ScreenModel& erased = atKey(5);
  EXPECT_EQ(textAt(erased, 39, 5, 3), "12 ");
  EXPECT_EQ(erased.cursorColumn, 41);
  EXPECT_EQ(erased.cursorRow, 5);
}

TEST_F(EntryTest, ATwelfthCharacterCannotBeTyped) {
  type("1 23456789X");
  type("5 X");
  device.addKeys({keys::backspace, keys::backspace});
  type("9X\r");
  enterControlString(program);
  EXPECT_EQ(program.params.dayNumber, 9731);
  EXPECT_EQ(device.sounds(), (std::vector<std::string>{"beep2", "beep2", "beep2"}));
  EXPECT_EQ(textAt(atKey(14), 39, 5, 12), "1 23456789X ");
  EXPECT_EQ(atKey(14).cursorColumn, 50);
}

TEST_F(EntryTest, HelpOpensTheManualAndStartsAgain) {
  type("1234h");
  type("0102230455\r");
  enterControlString(program);
  EXPECT_EQ(system.commands, std::vector<std::string>{"open " + onlineManualAddress()});
  EXPECT_EQ(program.params.dealOffset, 1234);
  const ScreenModel& fresh = atKey(5);
  EXPECT_EQ(textAt(fresh, 39, 5, 4), "    ");
  EXPECT_EQ(textAt(fresh, 13, 5, 24), "Enter DF control string:");
  EXPECT_EQ(fresh.cursorColumn, 39);
}

TEST_F(EntryTest, HelpWithNothingToOpenTheManualBeepsAndKeepsWhatWasTyped) {
  system.canOpen = false;
  type("01022h");
  type("30455\r");
  enterControlString(program);
  EXPECT_EQ(system.commands, std::vector<std::string>{"open " + onlineManualAddress()});
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"beep2"});
  EXPECT_EQ(program.params.dealOffset, 1234);
  const ScreenModel& after = atKey(6);  // the key after H
  EXPECT_EQ(textAt(after, 39, 5, 6), "01022 ");
  EXPECT_EQ(after.cursorColumn, 44);
}

TEST_F(EntryTest, EscOpensTheQuitQuestion) {
  type("123");
  device.addKeys({keys::esc, "n"});
  try {
    enterControlString(program);
    FAIL() << "returned";
  } catch (const Reenter& r) {
    EXPECT_EQ(r.point, EntryPoint::titleScreen);
  }
  EXPECT_EQ(textAt(atKey(4), 30, 22, 22), " Quit program?  (Y/n) ");
}

}  // namespace
}  // namespace kveld
