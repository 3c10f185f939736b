#pragma once
// The sounds a program starts, as Wine's sound library reports them in its
// trace (WINEDEBUG=trace+winmm): under Wine nothing can be heard, but every
// PlaySound call names its sound there, from the thread that plays it.
#include <string>
#include <vector>

namespace driver {

// The names of the sounds started, in the order of the trace.
std::vector<std::string> soundsInTrace(const std::string& trace);

}  // namespace driver
