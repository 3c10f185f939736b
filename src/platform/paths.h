#pragma once
// The program speaks drive-qualified Windows paths ("C:\DF\DEALAR~1\x.txt")
// and bare names in the current folder ("KVELD.INI") on every platform.
#include <string>

namespace kveld {

// The native path of a program path. On POSIX, drive X: is the folder that
// $WINEPREFIX/dosdevices/x: points to (C: is / without such a link) and each
// component is resolved as Windows resolves it; a name Windows forbids raises
// RunTimeError 75, a missing drive 76 (path not found, as Windows reports a
// path on a drive letter that has no device). On Windows the path is
// returned as is.
std::string nativePath(const std::string& programPath);

}  // namespace kveld
