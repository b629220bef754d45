#include "platform/replace_file.h"

namespace platform {

void ReplaceFile(Files& files, const std::string& target, const std::string& temporary,
                 const std::function<void(const std::string& temporary)>& write) {
  try {
    write(temporary);
    files.MoveReplacing(temporary, target);
  } catch (...) {
    files.Remove(temporary);
    throw;
  }
}

}  // namespace platform
