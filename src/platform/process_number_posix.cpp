#include "platform/process_number.h"

#include <unistd.h>

namespace kveld {

unsigned long processNumber() { return static_cast<unsigned long>(::getpid()); }

}  // namespace kveld
