#include "platform/error_numbers.h"

#include <cerrno>

#include "platform/run_time_error.h"

namespace kveld {

int errorNumberFromWin32(unsigned long code) {
  switch (code) {
    case 2: case 18: return err::kFileNotFound;
    case 3: return err::kPathNotFound;
    case 5: case 19: case 32: case 33: case 36: return err::kPermissionDenied;
    case 39: case 112: return err::kDiskFull;
    case 4: return err::kTooManyFiles;
    case 15: case 20: return err::kDeviceUnavailable;
    case 21: return err::kDiskNotReady;
    case 23: case 25: case 26: case 27: case 28: case 29: case 30: case 31: case 34: case 35:
      return err::kDiskMedia;
    case 17: return err::kRenameAcrossDisks;
    case 38: return err::kInputPastEnd;
    case 8: case 14: return err::kOutOfMemory;
    case 6: case 11: case 12: case 13: case 22: case 24: return err::kInternal;
    case 87: return err::kIllegalFunctionCall;
    case 7: case 9: case 10: return err::kSystemFailure;
    default: return err::kPathFileAccess;  // 1, 16, 37, 40 and every other code
  }
}

int errorNumberFromErrno(int e, bool folderExists) {
  switch (e) {
    case ENOENT: return folderExists ? err::kFileNotFound : err::kPathNotFound;
    case ENOTDIR: return err::kPathNotFound;
    case EACCES: case EPERM: case EROFS: case ETXTBSY: return err::kPermissionDenied;
    case ENOSPC: return err::kDiskFull;
    case EMFILE: case ENFILE: return err::kTooManyFiles;
    case ENAMETOOLONG: return err::kPathFileAccess;
    case ENOMEM: return err::kOutOfMemory;
    default: return err::kDiskMedia;
  }
}

}  // namespace kveld
