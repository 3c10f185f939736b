#include "app/program_tables.h"

namespace kveld {

namespace {
std::string byte(int code) { return std::string(1, static_cast<char>(code)); }
}  // namespace

void initProgramTables(ProgramTables& t) {
  t.rankLetter = {"A", "K", "Q", "J", "T", "9", "8", "7", "6", "5", "4", "3", "2"};
  for (int i = 0; i < 4; ++i) t.suitSymbol[static_cast<std::size_t>(i)] = byte(i == 0 ? 6 : 2 + i) + " ";
  for (int i = 0; i < 16; ++i) {
    t.bitValue[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(static_cast<std::uint16_t>(1u << i));
  }
  t.monthName = {"",     "January", "February",  "March",   "April",    "May",     "June",
                 "July", "August",  "September", "October", "November", "December"};
  t.monthDays = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 29};
  // Session 0 (fifth control digit 0) has no name of its own in the hand
  // records; it is written as "Session" with the letter "S".
  t.sessionName = {"Session", "Morning", "Afternoon", "Evening", "Late"};
  t.sessionLetter = {"S", "M", "A", "E", "L"};

  t.iniFileName = "KVELD.INI";
  t.archiveFolderName = "DEALAR~1";
  t.scratchFileName = "df_find";
  t.blank1 = " ";
  t.blank2 = "  ";
  t.blank74 = std::string(74, ' ');
  t.escKey = byte(27);
  t.enterKey = byte(13);
  t.backspaceKey = byte(8);
  t.voidMark = "--";
  t.flagTrue = 1;
  t.flagFalse = 0;
  t.messageRow = 22;

  t.sglV = byte(179);
  t.sglH = byte(196);
  t.sglTopLeft = byte(218);
  t.sglTopRight = byte(191);
  t.sglBottomLeft = byte(192);
  t.sglBottomRight = byte(217);
  t.dblV = byte(186);
  t.dblH = byte(205);
  t.dblTopLeft = byte(201);
  t.dblTopRight = byte(187);
  t.dblBottomLeft = byte(200);
  t.dblBottomRight = byte(188);
  t.dblTeeRight = byte(204);
  t.dblTeeLeft = byte(185);
}

}  // namespace kveld
