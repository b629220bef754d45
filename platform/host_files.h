// The files of the computer the program runs on, through the standard library: the Files interface
// for programs that work on real files outside the Win32 layer (the makers' tool), and the ground
// the in-memory test platform builds its fault injection on.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

// Real files; backslashes in paths are taken as separators, as on Windows, so the programs' own
// paths work on every system. Failures carry the codes the programs tell apart (53, 76, 52) and
// 75 for any other refusal.
class HostFiles : public Files {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  void WriteNew(const std::string& path, std::string_view bytes) override;
  void MoveReplacing(const std::string& source, const std::string& target) override;
  // Reads the source whole, then writes the target with WriteNew.
  void CopyReplacing(const std::string& source, const std::string& target) override;
  void Remove(const std::string& path) noexcept override;
  void MakeDirectory(const std::string& path) override;
  // None: programs on host files keep nothing of the user's.
  std::string RoamingAppData() override { return {}; }

  // The path with backslashes turned into the system's separators.
  static std::string HostPath(const std::string& path);
};

// The folder that holds the running program, as the system names it, without a trailing separator;
// empty when the system does not say.
std::string HostProgramDirectory();

}  // namespace platform
