#include "platform/error_numbers.h"

#include <cerrno>

#include "platform/run_time_error.h"

namespace kveld {

// The handler's table: every Win32 code it names, and 75 (path/file access
// error) for 1, 16, 37, 40 and every code it does not name.
int errorNumberFromWin32(unsigned long code) {
  switch (code) {
    case 2:
    case 18: return err::kFileNotFound;
    case 3: return err::kPathNotFound;
    case 5:
    case 19:
    case 32:
    case 33:
    case 36: return err::kPermissionDenied;
    case 39:
    case 112: return err::kDiskFull;
    case 4: return err::kTooManyFiles;
    case 15:
    case 20: return err::kDeviceUnavailable;
    case 21: return err::kDiskNotReady;
    case 23:
    case 25:
    case 26:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
    case 34:
    case 35: return err::kDiskMedia;
    case 17: return err::kRenameAcrossDisks;
    case 38: return err::kInputPastEnd;
    case 8:
    case 14: return err::kOutOfMemory;
    case 6:
    case 11:
    case 12:
    case 13:
    case 22:
    case 24: return err::kInternal;
    case 87: return err::kIllegalFunctionCall;
    case 7:
    case 9:
    case 10: return err::kSystemFailure;
    default: return err::kPathFileAccess;
  }
}

// errno values have no table of their own in the handler; each is given the
// number of the Win32 failure that the same mishap raises on Windows, so that
// both builds show the same screen for it. Two failures of the POSIX file
// layer carry no errno and take their numbers there directly: a write that
// stores fewer bytes than asked is disk full (61, as Windows' 39 and 112),
// and a name holding a character Windows forbids is a path/file access
// error (75, as Windows' 123, invalid name syntax).
int errorNumberFromErrno(int e, bool folderExists) {
  switch (e) {
    // The file is missing (Windows 2): 53. A folder on the way is missing
    // (Windows 3): 76. POSIX says ENOENT for both; the caller knows which.
    case ENOENT: return folderExists ? err::kFileNotFound : err::kPathNotFound;
    // A component on the way is a file, not a folder: Windows 3.
    case ENOTDIR: return err::kPathNotFound;

    // No permission, a read-only file or file system, a running program's
    // file, a folder where a file was wanted: Windows 5 (access denied) and
    // 19 (write-protected). A file held elsewhere (EBUSY) is Windows 32,
    // the sharing violation; a lock that would block is Windows 33.
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EISDIR:
    case EBUSY: return err::kPermissionDenied;
#if defined(EAGAIN)
    case EAGAIN: return err::kPermissionDenied;
#endif
#if defined(EWOULDBLOCK) && (!defined(EAGAIN) || EWOULDBLOCK != EAGAIN)
    case EWOULDBLOCK: return err::kPermissionDenied;
#endif

    // The disk or the user's quota is full, or the file has reached the
    // largest size allowed: Windows 39 and 112, disk full.
    case ENOSPC:
    case EFBIG: return err::kDiskFull;
#if defined(EDQUOT)
    case EDQUOT: return err::kDiskFull;
#endif

    // Too many open files, in the process or in the system: Windows 4.
    case EMFILE:
    case ENFILE: return err::kTooManyFiles;

    // A name or path too long, a name that already exists, a folder that is
    // not empty, symbolic links going round: Windows 206, 80, 145 and 1921,
    // all codes above 40 that the table does not name, so 75.
    case ENAMETOOLONG:
    case EEXIST:
    case ENOTEMPTY: return err::kPathFileAccess;
#if defined(ELOOP)
    case ELOOP: return err::kPathFileAccess;
#endif

    // No such device (a drive whose medium or device is gone): Windows 15
    // and 20, device unavailable.
    case ENXIO:
    case ENODEV: return err::kDeviceUnavailable;

    // An input/output failure of the device: Windows 23 to 31 (data error,
    // seek, read and write faults), disk media error.
    case EIO: return err::kDiskMedia;

    // Moving a file to another file system: Windows 17.
    case EXDEV: return err::kRenameAcrossDisks;

    // Out of memory: Windows 8 and 14.
    case ENOMEM: return err::kOutOfMemory;

    // A handle that is not open, or a bad address: program faults, as
    // Windows 6 (invalid handle): internal error.
    case EBADF:
    case EFAULT: return err::kInternal;

    // An argument the call does not accept: Windows 87.
    case EINVAL: return err::kIllegalFunctionCall;

    // Everything else has no counterpart. It is not a missing file or folder
    // nor a bad name, so none of 53, 75 and 76 (those screens would tell the
    // user something false); it is reported as Windows reports its general
    // failure of a device (31): disk media error, on the general halt.
    default: return err::kDiskMedia;
  }
}

}  // namespace kveld
