#include "platform/standard_error.h"

#include <unistd.h>

namespace kveld {

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace kveld
