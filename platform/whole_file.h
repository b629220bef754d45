// Files taken whole, each within one call: read into memory, or replaced in one step as git's
// lockfile does (the new content goes to a temporary file in the target's directory, written and
// flushed, then the temporary file is moved over the target, replacing it, write-through). A
// reader sees the old file or the new one, never half of either; on any failure the temporary file
// is removed and the target stays as it was.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <string>

#include "platform/platform.h"

namespace platform {

// The file's bytes, at most `limit` of them (the start of a longer file). Throws Failure as
// Files::OpenForReading and InputFile::Read do.
std::string ReadFile(Files& files, const SystemName& path,
                     std::size_t limit = std::numeric_limits<std::size_t>::max());
// The rest of an open file's bytes, at most `limit` of them. Throws Failure as InputFile::Read.
std::string ReadFrom(InputFile& file, std::size_t limit);

// `write` fills the temporary file (and may check it); whatever it throws, or the move throws,
// reaches the caller after the temporary file is removed.
void ReplaceFile(Files& files, const SystemName& target, const SystemName& temporary,
                 const std::function<void(const SystemName& temporary)>& write);

}  // namespace platform
