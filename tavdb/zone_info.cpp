#include "tavdb/zone_info.h"

#include <vector>

#include "platform/whole_file.h"
#include "tavdb/names.h"
#include "util/text.h"

namespace tavdb {

namespace {

// No zone file or tzdata.zi comes near these sizes; a larger file is read only as far as this.
constexpr std::size_t kLargestZoneFile = 1 << 20;
constexpr std::size_t kLargestTzdataZi = 8 << 20;

// A file under the folder, with the folder's own separator.
std::string InFolder(const std::string& folder, const std::string& relative) {
  const char separator =
      folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos ? '\\' : '/';
  std::string path = folder;
  if (path.empty() || (path.back() != '/' && path.back() != '\\')) path += separator;
  for (const char c : relative) path += c == '/' ? separator : c;
  return path;
}

std::optional<std::string> ReadTzdataZi(platform::Files& files, const std::string& folder,
                                        int* failureCode = nullptr) {
  try {
    return platform::ReadFile(files, platform::SystemName(InFolder(folder, "tzdata.zi")),
                              kLargestTzdataZi);
  } catch (const util::Failure& failure) {
    if (failureCode) *failureCode = failure.code();
    return std::nullopt;
  }
}

// The names of the zones and their links in tzdata.zi ("Z Europe/London ...",
// "L Europe/London Europe/Belfast").
std::vector<std::string> ZoneNames(std::string_view tzdataZi) {
  std::vector<std::string> names;
  for (const std::string& line : text::SplitLines(tzdataZi)) {
    const auto words = text::Split(line, ' ');
    if (words.size() >= 2 && words[0] == "Z") names.emplace_back(words[1]);
    if (words.size() >= 3 && words[0] == "L") names.emplace_back(words[2]);
  }
  return names;
}

[[noreturn]] void NoSuchZone(platform::Files& files, const std::string& folder,
                             const std::string& name, const std::string& option) {
  int code = 0;
  const auto tzdataZi = ReadTzdataZi(files, folder, &code);
  if (code == util::codes::kPathNotFound)
    throw ZoneInfoError("no time zone rules: the folder " + folder +
                        " is missing (the IANA time zone database's compiled files; tavdb.exe "
                        "reads them from the folder zoneinfo beside it)");
  const std::string suggestion =
      DidYouMean(ClosestNames(name, ZoneNames(tzdataZi.value_or("")), 3));
  throw ZoneInfoError(option + " " + name + ": no such time zone in " + folder +
                      (suggestion.empty() ? "" : " (" + suggestion + ")"));
}

}  // namespace

NamedZone ReadZone(platform::Files& files, const std::string& folder, const std::string& name,
                   const std::string& option) {
  const auto relative = tz::ZoneFilePath(name);
  if (!relative)
    throw ZoneInfoError(option + " " + name +
                        ": not a time zone name (IANA names such as Europe/London)");
  const std::string path = InFolder(folder, *relative);
  std::string bytes;
  try {
    bytes = platform::ReadFile(files, platform::SystemName(path), kLargestZoneFile);
  } catch (const util::Failure& failure) {
    if (failure.code() == util::codes::kFileNotFound ||
        failure.code() == util::codes::kPathNotFound)
      NoSuchZone(files, folder, name, option);
    throw ZoneInfoError("cannot read " + path + ": " + failure.description() + " (code " +
                        std::to_string(failure.code()) + ")");
  }
  try {
    return {name, tz::TimeZone::FromTzif(bytes)};
  } catch (const tz::ZoneFileError& e) {
    throw ZoneInfoError(path + " is not a time zone file tavdb reads: " + e.what());
  }
}

std::optional<std::string> ReadTzdataVersion(platform::Files& files, const std::string& folder) {
  const auto tzdataZi = ReadTzdataZi(files, folder);
  return tzdataZi ? tz::TzdataVersion(*tzdataZi) : std::nullopt;
}

}  // namespace tavdb
