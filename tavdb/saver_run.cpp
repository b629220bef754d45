#include "tavdb/saver_run.h"

#include <cstdlib>

#include "saver/data/database.h"
#include "saver/generalcode.h"
#include "saver/identity.h"

namespace tavdb {

namespace {

// The saver's program directory as the tool presents it; its "tavoria.sdf" is the file in hand.
constexpr const char* kProgramDirectory = "C:\\tavdb";

[[noreturn]] void NotForTheTool() {
  throw platform::Failure(51, "Not available in the makers' tool");
}

class ToolProcess : public platform::Process {
 public:
  std::string ArgumentText() override { return "/s"; }
  std::string ProgramDirectory() override { return kProgramDirectory; }
  [[noreturn]] void End(int) override { NotForTheTool(); }
};

// The saver's files: its database is the one file in hand; nothing else exists or may be written.
class OneDatabase : public platform::Files {
 public:
  OneDatabase(platform::Files& files, std::string path) : files_(files), path_(std::move(path)) {}
  std::unique_ptr<platform::InputFile> OpenForReading(const std::string& path) override {
    if (path == std::string(kProgramDirectory) + "\\" + tavoria::DATABASE_FILE)
      return files_.OpenForReading(path_);
    throw platform::Failure(platform::codes::kFileNotFound, "File not found");
  }
  void WriteNew(const std::string&, std::string_view) override { NotForTheTool(); }
  void MoveReplacing(const std::string&, const std::string&) override { NotForTheTool(); }
  void CopyReplacing(const std::string&, const std::string&) override { NotForTheTool(); }
  void Remove(const std::string&) noexcept override {}
  void MakeDirectory(const std::string&) override { NotForTheTool(); }
  std::string RoamingAppData() override { return {}; }

 private:
  platform::Files& files_;
  std::string path_;
};

class RecordingDesktop : public platform::Desktop {
 public:
  std::vector<platform::MessageBoxRequest> boxes;
  platform::Answer ShowMessage(const platform::MessageBoxRequest& box) override {
    boxes.push_back(box);
    return platform::Answer::Ok;
  }
  bool TopLevelWindowExists(const std::string&) override { return false; }
  int ShowCursor(bool) override { return 0; }
  unsigned WindowsDirectory(char*, unsigned) override { NotForTheTool(); }
};

class NoShell : public platform::Shell {
 public:
  std::intptr_t Execute(ui::WindowHandle, const std::string&, const std::string&,
                        const std::string&, const std::string&, int) override {
    NotForTheTool();
  }
  bool StartProgram(const std::string&) override { NotForTheTool(); }
};

class NoWindows : public platform::Ui {
 public:
  ui::Size ScreenSize() override { NotForTheTool(); }
  std::vector<ui::Rect> Monitors() override { NotForTheTool(); }
  ui::Size MeasureText(const ui::Font&, const std::string&) override { NotForTheTool(); }
  void Open(ui::Form&) override { NotForTheTool(); }
  void Close(ui::Form&) override { NotForTheTool(); }
  ui::WindowHandle Handle(const ui::Form&) override { NotForTheTool(); }
  int RunEventLoop() override { NotForTheTool(); }
};

// The platform the saver's data procedures run on inside the tool.
struct ToolPlatform {
  ToolPlatform(platform::Files& files, const std::string& path, const platform::FixedClock& time)
      : database(files, path), clock(time) {}
  ToolProcess process;
  OneDatabase database;
  platform::FixedClock clock;
  RecordingDesktop desktop;
  NoShell shell;
  NoWindows ui;
  platform::Platform platform{process, database, clock, desktop, shell, ui};
};

// The error code a general error report names.
int CodeInReport(const std::string& text) {
  const std::string label = "Error code: ";
  const auto at = text.find(label);
  return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + label.size());
}

bool IsSubstitute(const std::string& text) {
  for (const char* message : {kNotFoundText, kNoAccessText, kCorruptedText, kTooNewText})
    if (text == message) return true;
  return false;
}

}  // namespace

SaverRun RunSaverLoader(platform::Files& files, const std::string& path,
                        const platform::FixedClock& clock) {
  ToolPlatform tool(files, path, clock);
  tavoria::GeneralCode g{tool.platform};
  tavoria::LoadDatabase(g);
  tavoria::AddBuiltInAdverts(g);
  SaverRun run;
  run.specialFixtures = g.specialFixtures;
  run.fixtures = g.fixtures;
  run.trivia = g.trivia;
  run.adverts = g.adverts;
  run.fixtureCount = g.fixtureCount;
  run.triviaCount = g.triviaCount;
  run.advertCount = g.advertCount;
  if (!tool.desktop.boxes.empty()) {
    run.report = tool.desktop.boxes.front();
    run.reportCode = CodeInReport(run.report->text);
  }
  // A composed fixture text always holds its kick-off, so only a substitute is one of these.
  if (g.fixtureCount == 1 && g.triviaCount == 1 && g.fixtures[0] == g.trivia[0] &&
      IsSubstitute(g.fixtures[0]))
    run.substitute = g.fixtures[0];
  return run;
}

int SaverDatabaseNumber(platform::Files& files, const std::string& path) {
  ToolPlatform tool(files, path, platform::FixedClock());
  tavoria::GeneralCode g{tool.platform};
  return tavoria::GetDatabaseNumber(g);
}

}  // namespace tavdb
