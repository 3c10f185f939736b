#pragma once
// Files named by the system's own paths, as a user gives them on the
// command line ("out/Jan-01-M.pbn", "C:\Sets\x.pbn"), in UTF-8.
#include <string>

#include "platform/run_time_error.h"

namespace kveld {

// Puts a file with these bytes in place of any earlier one in one step, as
// System::replaceFile does: on failure the earlier file is intact and
// nothing else is left behind. A folder the user has marked read-only is
// refused. Failures raise RunTimeError whose text names the path and the
// system's reason.
void replaceNativeFile(const std::string& nativePath, const std::string& bytes);

// The bytes of a file. A folder is refused. Failures raise RunTimeError
// whose text names the path and the system's reason.
std::string readNativeFile(const std::string& nativePath);

}  // namespace kveld
