#include "platform/error_numbers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <vector>

#include "platform/run_time_error.h"

namespace kveld {
namespace {

// One mishap as Windows and POSIX report it, and the number of the screen
// that tells the user about it (53 file not found, 76 path not found, 70
// permission denied, 61 disk full, 75 path/file access error, ...). The
// Windows codes are those of winerror.h; both builds must show one screen.
struct Mishap {
  const char* what;
  unsigned long win32;
  int errnoValue;
  bool folderExists;
  int number;
};

const std::vector<Mishap> kMishaps = {
    {"file not found", 2, ENOENT, true, err::kFileNotFound},
    {"path not found", 3, ENOENT, false, err::kPathNotFound},
    {"a file on the path", 3, ENOTDIR, true, err::kPathNotFound},
    {"access denied", 5, EACCES, true, err::kPermissionDenied},
    {"write protected", 19, EROFS, true, err::kPermissionDenied},
    {"sharing violation", 32, EBUSY, true, err::kPermissionDenied},
    {"disk full", 112, ENOSPC, true, err::kDiskFull},
    {"handle disk full", 39, EFBIG, true, err::kDiskFull},
    {"too many open files", 4, EMFILE, true, err::kTooManyFiles},
    {"invalid drive", 15, ENODEV, true, err::kDeviceUnavailable},
    {"data error (CRC)", 23, EIO, true, err::kDiskMedia},
    {"not the same device", 17, EXDEV, true, err::kRenameAcrossDisks},
    {"not enough memory", 8, ENOMEM, true, err::kOutOfMemory},
    {"invalid handle", 6, EBADF, true, err::kInternal},
    {"invalid parameter", 87, EINVAL, true, err::kIllegalFunctionCall},
    {"name too long", 206, ENAMETOOLONG, true, err::kPathFileAccess},
    {"file exists", 80, EEXIST, true, err::kPathFileAccess},
    {"folder not empty", 145, ENOTEMPTY, true, err::kPathFileAccess},
#ifdef ELOOP
    {"cannot resolve the name", 1921, ELOOP, true, err::kPathFileAccess},
#endif
};

TEST(ErrorNumbers, OneMishapOneScreenOnBothSystems) {
  for (const Mishap& m : kMishaps) {
    EXPECT_EQ(errorNumberFromWin32(m.win32), m.number) << m.what;
    EXPECT_EQ(errorNumberFromErrno(m.errnoValue, m.folderExists), m.number) << m.what;
  }
}

// Every code from 41 on that no mishap above names is a path/file access
// error; every code reaches a screen the handler has (below 241), but for
// the few that mean the system itself is broken.
TEST(ErrorNumbers, EveryOtherWin32CodeIsAnAccessError) {
  const std::set<int> screens = {5, 7, 51, 53, 61, 62, 67, 68, 70, 71, 72, 74, 75, 76};
  std::set<unsigned long> named;
  for (const Mishap& m : kMishaps) named.insert(m.win32);
  for (unsigned long code = 0; code < 20000; ++code) {
    const int n = errorNumberFromWin32(code);
    if (code >= 41 && !named.count(code)) {
      ASSERT_EQ(n, err::kPathFileAccess) << "code " << code;
    }
    if (n != err::kSystemFailure) {
      ASSERT_TRUE(screens.count(n)) << "code " << code << ": " << n;
    }
  }
  EXPECT_EQ(errorNumberFromWin32(0xFFFFFFFFul), err::kPathFileAccess);
}

// A failure without a counterpart must not claim a missing file, a missing
// folder or a bad name, and must still reach a screen (below 241).
TEST(ErrorNumbers, UnlistedErrnoValuesShowTheGeneralHalt) {
  std::set<int> pathLike = {ENOENT, ENOTDIR, ENAMETOOLONG, EEXIST, ENOTEMPTY};
#ifdef ELOOP
  pathLike.insert(ELOOP);
#endif
  for (int e = 0; e < 4096; ++e) {
    for (bool folderExists : {true, false}) {
      const int n = errorNumberFromErrno(e, folderExists);
      ASSERT_LT(n, err::kSystemFailure) << "errno " << e;
      ASSERT_GT(n, 0) << "errno " << e;
      if (pathLike.count(e)) continue;
      ASSERT_NE(n, err::kFileNotFound) << "errno " << e;
      ASSERT_NE(n, err::kPathFileAccess) << "errno " << e;
      ASSERT_NE(n, err::kPathNotFound) << "errno " << e;
    }
  }
}

}  // namespace
}  // namespace kveld
