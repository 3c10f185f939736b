#include "rules/rule_tables.h"

#include "rules/board.h"

namespace kveld {

void initRuleTables(RuleTables& t) {
  t.rankLetter = {"A", "K", "Q", "J", "T", "9", "8", "7", "6", "5", "4", "3", "2"};
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

  t.archiveFolderName = "DEALAR~1";
  t.blank1 = " ";
  t.voidMark = std::string(kVoidMark);
}

}  // namespace kveld
