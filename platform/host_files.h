// The files of the computer the program runs on, through the standard library: the Files interface
// for programs that work on real files outside the Win32 layer (the makers' tool), and the ground
// the in-memory test platform builds its fault injection on.
#pragma once

#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace platform {

// Real files; backslashes in paths are taken as separators, as on Windows, so the programs' own
// paths work on every system, and names are UTF-8 on every system (on Windows too, whatever its
// code page). Failures carry the codes the programs tell apart (53, 76, 52) and 75 for any other
// refusal.
class HostFiles : public Files {
 public:
  // How backslashes in paths are taken: as separators, or, where the system's separator is the
  // slash, as the characters they are (with every other character a name may hold there), for a
  // program whose user names the files.
  enum class Backslashes { Separators, Characters };
  explicit HostFiles(Backslashes backslashes = Backslashes::Separators)
      : backslashes_(backslashes) {}

  std::unique_ptr<InputFile> OpenForReading(const SystemName& path) override;
  void WriteNew(const SystemName& path, std::string_view bytes) override;
  void MoveReplacing(const SystemName& source, const SystemName& target) override;
  // The name's middle part is random; the file is not held from other programs here.
  std::unique_ptr<HeldFile> CreateHeld(const SystemName& directory, const std::string& prefix,
                                       const std::string& suffix) override;
  void Remove(const SystemName& path) noexcept override;
  void MakeDirectory(const SystemName& path) override;
  // None: programs on host files keep nothing of the user's.
  std::optional<SystemName> RoamingAppData() override { return std::nullopt; }

  // The path with backslashes turned into the system's separators. Throws Failure 52 for a name
  // the system cannot take (not UTF-8, on Windows).
  static std::filesystem::path HostPath(const SystemName& path);
  // The path as this object takes its backslashes.
  std::filesystem::path PathOnHost(const SystemName& path) const;

 private:
  // True when the name is one the system cannot give a file.
  bool BadName(const SystemName& path) const;
  Backslashes backslashes_;
};

// The folder that holds the running program, as the system names it, without a trailing separator;
// empty when the system does not say.
std::string HostProgramDirectory();

}  // namespace platform
