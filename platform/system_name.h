// Names the system hands over or is handed: paths, the command line, the folders it names.
#pragma once

#include <compare>
#include <string>
#include <utility>

namespace platform {

// A name in the system's own terms, held as UTF-8: every character a Windows name may hold,
// whatever the system's code page ("Łukasz" on a Western European Windows, a Chinese name on an
// English one). Text inside the programs is UTF-8 too, so a name is quoted in a message box whole;
// a file that holds text of the system's code page is read as UTF-8 through
// Desktop::TextOfSystemCodePage.
class SystemName {
 public:
  SystemName() = default;
  explicit SystemName(std::string utf8) : utf8_(std::move(utf8)) {}
  // The programs' own names (the files beside the program, the addresses they build) are ASCII,
  // the same in UTF-8 and in every code page.
  SystemName(const char* ascii) : utf8_(ascii) {}

  const std::string& utf8() const { return utf8_; }
  bool empty() const { return utf8_.empty(); }

  bool operator==(const SystemName&) const = default;
  std::strong_ordering operator<=>(const SystemName&) const = default;

 private:
  std::string utf8_;
};

// The name inside a directory: "directory\name".
inline SystemName operator/(const SystemName& directory, const SystemName& name) {
  return SystemName(directory.utf8() + "\\" + name.utf8());
}

}  // namespace platform
