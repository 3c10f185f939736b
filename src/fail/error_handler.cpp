#include "fail/error_handler.h"

#include "app/flow_control.h"
#include "app/program.h"

namespace kveld {
// Not built yet: one plain message, then the end.
void runtimeErrorHandler(Program& program, int errorNumber) {
  ConsoleKit& kit = program.kit;
  kit.setColour(white, magenta);
  kit.moveTo(4, program.tables.messageRow);
  kit.print(" Run-time error" + numberText(errorNumber));
  kit.present();
  throw EndProgram{0};
}
}  // namespace kveld
