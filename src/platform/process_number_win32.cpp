#include "platform/process_number.h"

#include <windows.h>

namespace kveld {

unsigned long processNumber() { return GetCurrentProcessId(); }

}  // namespace kveld
