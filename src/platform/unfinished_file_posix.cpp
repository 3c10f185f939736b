#include "platform/unfinished_file.h"

#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace kveld {
namespace {

// Filled before `held` is set and only read while it is set, so that a
// signal handler never sees half a name.
char heldName[PATH_MAX];
volatile sig_atomic_t held = 0;

}  // namespace

UnfinishedFile::UnfinishedFile(const std::string& native) {
  held = 0;
  if (native.empty() || native.size() >= sizeof heldName) return;  // none, or longer than any path
  std::memcpy(heldName, native.c_str(), native.size() + 1);
  held = 1;
}

UnfinishedFile::~UnfinishedFile() { held = 0; }

void removeUnfinishedFile() {
  if (!held) return;
  held = 0;
  ::unlink(heldName);
}

}  // namespace kveld
