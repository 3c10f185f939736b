// A read-only output folder on POSIX systems.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "batch/batch_run.h"
#include "platform/native_files.h"
#include "testing/temp_folder.h"

namespace kveld::batch {
namespace {

namespace fs = std::filesystem;

TEST(BatchFiles, ReadOnlyOutputFolderFailsWithExitThreeAndLeavesNothing) {
  TempFolder temp;
  fs::create_directory("locked");
  fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  std::istringstream in;
  std::ostringstream out, err;
  BatchIo io{in, out, err, replaceNativeFile, readNativeFile, "\n", "1.2.3"};
  EXPECT_EQ(runBatch({"-f", "pbn", "-o", "locked", "1000100006", "0102230455"}, io), 3);
  // The super-user too is refused a folder marked read-only.
  EXPECT_EQ(err.str(),
            "kveld-batch: locked/Jan-01-M.pbn could not be written (creating locked/Jan-01-M.pbn: the "
            "folder is read-only).\n");
  fs::permissions("locked", fs::perms::owner_all);
  EXPECT_TRUE(fs::is_empty("locked"));
}

}  // namespace
}  // namespace kveld::batch
