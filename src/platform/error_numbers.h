#pragma once
// The program's numbering of run-time failures, from the system's own codes.

namespace kveld {

// A Win32 error code (GetLastError) as the program's error number.
int errorNumberFromWin32(unsigned long code);

// An errno value as the program's error number: the number of the Win32
// failure that the same mishap raises on Windows. ENOENT is ambiguous on
// POSIX: `folderExists` tells whether the folder that should hold the file
// exists (53, file not found) or not (76, path not found).
int errorNumberFromErrno(int errnoValue, bool folderExists = true);

}  // namespace kveld
