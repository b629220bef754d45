#include "database/installed_name.h"

#include "util/text.h"
#include "util/utf8.h"

namespace database {

namespace {

constexpr const char* kExtension = ".sdf";
// The longest name one folder entry may have.
constexpr std::size_t kLongestName = 255;

// Device names Windows keeps for itself in every folder, whatever extension follows them.
bool IsReservedDeviceName(std::string_view name) {
  const std::string base = text::UpperCase(text::TrimRight(name, " "));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* device : kDevices)
    if (base == device) return true;
  if (!base.starts_with("COM") && !base.starts_with("LPT")) return false;
  // 0 to 9, and the superscript digits one, two and three.
  const std::string_view digit = std::string_view(base).substr(3);
  return (digit.size() == 1 && text::IsDigit(digit[0])) || digit == "¹" || digit == "²" ||
         digit == "³";
}

// A name's length as Windows counts it: in UTF-16 units.
std::size_t WindowsLength(std::string_view name) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < name.size();) {
    const auto c = utf8::Next(name, at);
    if (!c) ++at;
    units += c && *c > 0xFFFF ? 2 : 1;
  }
  return units;
}

}  // namespace

std::optional<std::string> WhyNotAPlainName(std::string_view firstLineBytes) {
  for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
    if (firstLineBytes.starts_with(mark))
      return "it starts with a byte-order mark, as a text editor writes when it saves the file "
             "as Unicode";
  for (const unsigned char c : firstLineBytes)
    if (c < 0x20 || c == 0x7F)
      return "it holds a control character (code " + std::to_string(c) + ")";
  return std::nullopt;
}

std::optional<std::string> InstalledName(std::string_view firstLine) {
  if (firstLine.empty()) return std::nullopt;  // ".sdf" names no database the saver reads
  if (firstLine.find_first_of("<>:\"/\\|?*") != std::string_view::npos) return std::nullopt;
  if (firstLine.find("..") != std::string_view::npos) return std::nullopt;
  if (firstLine.back() == '.' || firstLine.back() == ' ') return std::nullopt;
  if (IsReservedDeviceName(firstLine.substr(0, firstLine.find('.')))) return std::nullopt;
  std::string name = std::string(firstLine) + kExtension;
  if (WindowsLength(name) > kLongestName) return std::nullopt;
  return name;
}

}  // namespace database
