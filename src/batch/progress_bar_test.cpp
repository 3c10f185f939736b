#include "batch/progress_bar.h"

#include <gtest/gtest.h>

namespace kveld::batch {
namespace {

TEST(ProgressLine, FillsInProportionAndShowsTheTime) {
  EXPECT_EQ(progressLine(0, 36, 0.4, 12), "\r[............]   0/36 boards  0:00");
  EXPECT_EQ(progressLine(12, 36, 7.9, 12), "\r[####........]  12/36 boards  0:07");
  EXPECT_EQ(progressLine(36, 36, 75, 12), "\r[############]  36/36 boards  1:15");
  EXPECT_EQ(progressLine(100, 108, 3725, 12), "\r[###########.] 100/108 boards  1:02:05");
  // Out of range counts are held to the bar, never drawn beyond it.
  EXPECT_EQ(progressLine(40, 36, -3, 4), "\r[####]  36/36 boards  0:00");
  EXPECT_EQ(progressLine(0, 0, 1, 4), "\r[....]   0/0 boards  0:01");
}

}  // namespace
}  // namespace kveld::batch
