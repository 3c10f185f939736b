#pragma once
// The progress display of a long analysis: one line, redrawn in place.
#include <string>

namespace kveld::batch {

// "\r[#######.............]  12/36 boards  0:07", bar `width` cells wide,
// filled in proportion to the boards done; the time is minutes:seconds
// elapsed (hours:minutes:seconds from an hour on).
std::string progressLine(int done, int all, double elapsedSeconds, int width = 30);

}  // namespace kveld::batch
