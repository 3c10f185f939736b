#pragma once
// The number the system gives this running program, unique among the
// programs running at the same time.

namespace kveld {

unsigned long processNumber();

}  // namespace kveld
