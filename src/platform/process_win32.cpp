// Starting other programs on Windows, through the command interpreter named
// by "comspec", and waiting until the interpreter has ended.
#include "encoding/command_line.h"
#include "platform/command_win32.h"
#include "platform/real_system.h"
#include "platform/win32_text.h"

namespace kveld {

bool RealSystem::openAddress(const std::string& address) {
  runCommandAndWait(commandInterpreter() + wideText(" /c start " + address), "the command interpreter");
  return true;
}

void RealSystem::startProgram(const std::string& driveSpec, const std::string& folder,
                              const std::string& executable) {
  // The name goes unquoted into the command line; one holding the
  // interpreter's own syntax would have it run other commands.
  if (holdsInterpreterSyntax(executable))
    throw RunTimeError(err::kPathFileAccess, "starting " + executable + ": not a program file name");
  if (!driveSpec.empty()) {
    const std::string drive = driveSpec.substr(0, 1) + ":";
    if (!SetCurrentDirectoryW(wideText(drive).c_str())) raiseLastError("changing to", drive);
  }
  if (!SetCurrentDirectoryW(widePath(folder).c_str())) raiseLastError("changing to", folder);
  runCommandAndWait(commandInterpreter() + wideText(" /c " + executable), "the command interpreter");
}

}  // namespace kveld
