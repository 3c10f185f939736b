#include "deal/control_entry.h"

#include <gtest/gtest.h>

#include "core/flow_control.h"
#include "core/manual.h"
#include "core/program.h"
#include "testing/program_parts.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"
#include "testing/set_values.h"

namespace kveld {
namespace {

// The screen: the prompt, the line editor, the typo alert, help and Esc.
struct EntryTest : ::testing::Test, ProgramParts<> {
  EntryTest() { kit.drawTitleScreen(); }
  void type(const std::string& text) { device.addKeys(keys::typed(text)); }
  const ScreenModel& atKey(std::size_t i) const { return device.screensAtKeys().at(i); }

  const ProgramTables& t = tables;
};

TEST_F(EntryTest, PromptAndTypedText) {
  type("1000100006\r");
  enterControlString(program);
  EXPECT_EQ(program.params, decodedSet(1, 1, 1, 1, 0, 1, 24));

  const ScreenModel& first = atKey(0);
  EXPECT_EQ(textAt(first, 13, 5, 24), "Enter DF control string:");
  EXPECT_TRUE(allAttr(first, 13, 5, 24, yellow + 16 * blue));
  EXPECT_EQ(textAt(first, 73, 5, 4), "Help");
  EXPECT_TRUE(allAttr(first, 73, 5, 1, yellow + 16 * blue));
  EXPECT_TRUE(allAttr(first, 74, 5, 3, brown + 16 * blue));
  EXPECT_TRUE(cursorAt(first, 39, 5));
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
    EXPECT_EQ(p.params, decodedSet(9731, 27, 8, 23, 2468, 1, 36)) << text;
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
  const std::vector<std::string> refused = {
      "A", "/", ":", "-", "\x03", "\t", keys::up, keys::down, keys::f1, keys::left, std::string(1, '\xe9')};
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
