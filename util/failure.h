// A failure with the error number and description the user is shown in error reports, and the
// error numbers the programs tell apart. Any other failure keeps the system's own number.
#pragma once

#include <stdexcept>
#include <string>

namespace util {

class Failure : public std::runtime_error {
 public:
  Failure(int code, const std::string& description, std::string source = "Tavoria")
      : std::runtime_error(description), code_(code), source_(std::move(source)) {}
  int code() const { return code_; }
  std::string description() const { return what(); }
  const std::string& source() const { return source_; }

 private:
  int code_;
  std::string source_;
};

namespace codes {
constexpr int kInvalidCall = 5;          // "Invalid procedure call or argument"
constexpr int kOverflow = 6;             // "Overflow"
constexpr int kOutOfMemory = 7;          // "Out of memory"
constexpr int kSubscriptOutOfRange = 9;  // a list is full
constexpr int kTypeMismatch = 13;        // not a date, time or number
constexpr int kInternalError = 51;       // a fault of the program itself
constexpr int kBadFileName = 52;
constexpr int kFileNotFound = 53;
constexpr int kDeviceIoError = 57;
constexpr int kDiskFull = 61;
constexpr int kInputPastEnd = 62;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
}  // namespace codes

}  // namespace util
