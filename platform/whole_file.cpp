#include "platform/whole_file.h"

#include <algorithm>

namespace platform {

std::string ReadFile(Files& files, const SystemName& path, std::size_t limit) {
  return ReadFrom(*files.OpenForReading(path), limit);
}

std::string ReadFrom(InputFile& file, std::size_t limit) {
  std::string bytes;
  char buffer[1 << 14];
  while (bytes.size() < limit) {
    const std::size_t n = file.Read(buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n == 0) break;
    bytes.append(buffer, n);
  }
  return bytes;
}

void ReplaceFile(Files& files, const SystemName& target, const SystemName& temporary,
                 const std::function<void(const SystemName& temporary)>& write) {
  try {
    write(temporary);
    files.MoveReplacing(temporary, target);
  } catch (...) {
    files.Remove(temporary);
    throw;
  }
}

}  // namespace platform
