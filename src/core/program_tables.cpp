#include "core/program_tables.h"

#include "encoding/keys.h"

namespace kveld {

namespace {
std::string byte(int code) { return std::string(1, static_cast<char>(code)); }
}  // namespace

void initProgramTables(ProgramTables& t) {
  for (int i = 0; i < 4; ++i) t.suitSymbol[static_cast<std::size_t>(i)] = byte(i == 0 ? 6 : 2 + i) + " ";

  t.iniFileName = "KVELD.INI";
  t.scratchFileName = "df_find";
  t.blank1 = " ";
  t.blank2 = "  ";
  t.blank74 = std::string(74, ' ');
  t.escKey = keyText(knownKey("Esc"));
  t.enterKey = keyText(knownKey("Enter"));
  t.backspaceKey = keyText(knownKey("Backspace"));
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
