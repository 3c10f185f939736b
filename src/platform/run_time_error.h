#pragma once
// A failing operating-system operation. It travels as an exception to the main
// flow's loop, which hands its number to the one error handler.
#include <stdexcept>
#include <string>

namespace kveld {

class RunTimeError : public std::runtime_error {
 public:
  RunTimeError(int number, const std::string& what) : std::runtime_error(what), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// Error numbers the program tells apart by name.
namespace err {
constexpr int kIllegalFunctionCall = 5;
constexpr int kOutOfMemory = 7;
constexpr int kInternal = 51;
constexpr int kFileNotFound = 53;
constexpr int kDiskFull = 61;
constexpr int kInputPastEnd = 62;
constexpr int kTooManyFiles = 67;
constexpr int kDeviceUnavailable = 68;
constexpr int kPermissionDenied = 70;
constexpr int kDiskNotReady = 71;
constexpr int kDiskMedia = 72;
constexpr int kRenameAcrossDisks = 74;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
constexpr int kSystemFailure = 241;  // and above: the run ends at once with 255
}  // namespace err

}  // namespace kveld
