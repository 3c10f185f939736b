#include "platform/error_numbers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <vector>

#include "platform/run_time_error.h"

namespace kveld {
namespace {

struct Win32Row {
  int number;
  std::vector<unsigned long> codes;
};

// The handler's numbering, row by row, as the user-visible screens need it.
const std::vector<Win32Row> kWin32Table = {
    {53, {2, 18}},
    {76, {3}},
    {70, {5, 19, 32, 33, 36}},
    {75, {1, 16, 37, 40, 41, 50, 80, 123, 145, 206, 1921}},
    {61, {39, 112}},
    {67, {4}},
    {68, {15, 20}},
    {71, {21}},
    {72, {23, 25, 26, 27, 28, 29, 30, 31, 34, 35}},
    {74, {17}},
    {62, {38}},
    {7, {8, 14}},
    {51, {6, 11, 12, 13, 22, 24}},
    {5, {87}},
    {241, {7, 9, 10}},
};

TEST(ErrorNumbers, Win32CodesMapByTheHandlersTable) {
  for (const Win32Row& row : kWin32Table)
    for (unsigned long code : row.codes) EXPECT_EQ(errorNumberFromWin32(code), row.number) << "code " << code;
}

TEST(ErrorNumbers, EveryWin32CodeTheTableDoesNotNameIsAnAccessError) {
  std::set<unsigned long> named;
  for (const Win32Row& row : kWin32Table)
    for (unsigned long code : row.codes) named.insert(code);
  for (unsigned long code = 0; code < 20000; ++code) {
    if (named.count(code)) continue;
    ASSERT_EQ(errorNumberFromWin32(code), err::kPathFileAccess) << "code " << code;
  }
  EXPECT_EQ(errorNumberFromWin32(0xFFFFFFFFul), err::kPathFileAccess);
}

struct ErrnoRow {
  int errnoValue;
  bool folderExists;
  int number;
};

TEST(ErrorNumbers, ErrnoValuesTakeTheNumberOfTheSameMishapOnWindows) {
  const std::vector<ErrnoRow> rows = {
      {ENOENT, true, 53},  {ENOENT, false, 76},      {ENOTDIR, true, 76}, {ENOTDIR, false, 76},
      {EACCES, true, 70},  {EPERM, true, 70},        {EROFS, true, 70},   {EISDIR, true, 70},
      {EBUSY, true, 70},   {ENOSPC, true, 61},       {EFBIG, true, 61},   {EMFILE, true, 67},
      {ENFILE, true, 67},  {ENAMETOOLONG, true, 75}, {EEXIST, true, 75},  {ENOTEMPTY, true, 75},
      {ENXIO, true, 68},   {ENODEV, true, 68},       {EIO, true, 72},     {EXDEV, true, 74},
      {ENOMEM, true, 7},   {EBADF, true, 51},        {EINVAL, true, 5},
#ifdef ETXTBSY
      {ETXTBSY, true, 70},
#endif
#ifdef EDQUOT
      {EDQUOT, true, 61},
#endif
#ifdef ELOOP
      {ELOOP, true, 75},
#endif
  };
  for (const ErrnoRow& r : rows)
    EXPECT_EQ(errorNumberFromErrno(r.errnoValue, r.folderExists), r.number)
        << "errno " << r.errnoValue << (r.folderExists ? " (folder exists)" : " (folder missing)");
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
