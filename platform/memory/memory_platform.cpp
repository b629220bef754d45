#include "platform/memory/memory_platform.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "util/text.h"
#include "util/utf8.h"

namespace platform::memory {

namespace fs = std::filesystem;

// ----- process -------------------------------------------------------------------------------

void MemoryProcess::End(int exitCode) {
  ends.push_back(exitCode);
  log_.Add("ended with " + std::to_string(exitCode));
  throw ProgramEnded{exitCode};
}

namespace {

class MemoryLock : public Lock {
 public:
  MemoryLock(std::set<std::string>& held, std::string name) : held_(held), name_(std::move(name)) {
    held_.insert(name_);
  }
  ~MemoryLock() override { held_.erase(name_); }

 private:
  std::set<std::string>& held_;
  std::string name_;
};

}  // namespace

std::unique_ptr<Lock> MemoryProcess::HoldLock(const std::string& name, int milliseconds) {
  if (heldElsewhere.count(name)) {
    log_.Add("waited " + std::to_string(milliseconds) + " ms for the lock " + name);
    return nullptr;
  }
  return std::make_unique<MemoryLock>(held, name);
}

// ----- files ---------------------------------------------------------------------------------

void MemoryFiles::Writable(const SystemName& path) const {
  const auto slash = path.utf8().find_last_of('\\');
  if (slash != std::string::npos && readOnlyDirectories.count(path.utf8().substr(0, slash)))
    throw util::Failure(util::codes::kPermissionDenied, "Permission denied");
}

std::unique_ptr<InputFile> MemoryFiles::OpenForReading(const SystemName& path) {
  if (unreadable.count(path.utf8()) || held.count(path.utf8()))
    throw util::Failure(util::codes::kPermissionDenied, "Permission denied");
  return HostFiles::OpenForReading(path);
}

void MemoryFiles::WriteNew(const SystemName& path, std::string_view bytes) {
  Writable(path);
  written.push_back(path.utf8());
  if (failWriteAfter) {
    const std::size_t n = std::min(*failWriteAfter, bytes.size());
    failWriteAfter.reset();
    HostFiles::WriteNew(path, bytes.substr(0, n));
    throw util::Failure(util::codes::kDiskFull, "Disk full");
  }
  HostFiles::WriteNew(path, bytes);
}

void MemoryFiles::MoveReplacing(const SystemName& source, const SystemName& target) {
  if (failMove) {
    failMove = false;
    throw util::Failure(util::codes::kPermissionDenied, "Permission denied");
  }
  Writable(target);
  HostFiles::MoveReplacing(source, target);
  log_.Add("file replaced " + target.utf8());
}

namespace {

// A host file that the program's other calls cannot open while it is held, with the write fault.
class MemoryHeldFile : public HeldFile {
 public:
  MemoryHeldFile(MemoryFiles& files, std::unique_ptr<HeldFile> file)
      : files_(files), file_(std::move(file)) {
    files_.held.insert(file_->Path().utf8());
  }
  ~MemoryHeldFile() override { files_.held.erase(file_->Path().utf8()); }
  void Write(std::string_view bytes) override {
    if (const auto after = files_.failWriteAfter) {
      files_.failWriteAfter.reset();
      file_->Write(bytes.substr(0, std::min(*after, bytes.size())));
      throw util::Failure(util::codes::kDiskFull, "Disk full");
    }
    file_->Write(bytes);
  }
  void PutInPlace(const SystemName& target) override {
    const std::string before = file_->Path().utf8();
    file_->PutInPlace(target);
    files_.held.erase(before);
    files_.held.insert(target.utf8());
  }
  const SystemName& Path() const override { return file_->Path(); }

 private:
  MemoryFiles& files_;
  std::unique_ptr<HeldFile> file_;
};

}  // namespace

std::unique_ptr<HeldFile> MemoryFiles::CreateHeld(const SystemName& directory,
                                                  const std::string& prefix,
                                                  const std::string& suffix) {
  Writable(directory / SystemName(prefix + suffix));
  auto file =
      std::make_unique<MemoryHeldFile>(*this, HostFiles::CreateHeld(directory, prefix, suffix));
  written.push_back(file->Path().utf8());
  return file;
}

void MemoryFiles::MakeDirectory(const SystemName& path) {
  std::error_code ec;
  if (fs::is_directory(HostPath(path), ec)) return;
  Writable(path);
  HostFiles::MakeDirectory(path);
}

std::optional<SystemName> MemoryFiles::RoamingAppData() {
  if (roamingAppData.empty()) return std::nullopt;
  return SystemName(roamingAppData);
}

// ----- clock ---------------------------------------------------------------------------------

calendar::Moment VirtualClock::LocalAt(std::int64_t milliseconds) const {
  const std::chrono::sys_seconds instant{
      std::chrono::seconds{(milliseconds - ((milliseconds % 1000) + 1000) % 1000) / 1000}};
  const std::chrono::local_seconds local =
      zone ? zone->ToLocal(instant) : std::chrono::local_seconds{instant.time_since_epoch()};
  return calendar::MomentOf(local);
}

calendar::Moment VirtualClock::Now() {
  return LocalAt(startMilliseconds_ + now);
}

double VirtualClock::SecondsSinceMidnight() {
  const std::int64_t at = startMilliseconds_ + now;
  return LocalAt(at).secondsOfDay + static_cast<double>((at % 1000 + 1000) % 1000) / 1000.0 +
         fraction;
}

std::optional<calendar::Moment> VirtualClock::LocalMomentOf(std::chrono::sys_seconds instant) {
  return LocalAt(instant.time_since_epoch().count() * 1000);
}

void VirtualClock::Set(calendar::Date date, int hours, int minutes, int seconds) {
  const std::chrono::local_seconds local =
      calendar::LocalSecondsOf({date, (hours * 60 + minutes) * 60 + seconds});
  std::chrono::sys_seconds instant{local.time_since_epoch()};
  if (zone) {
    const tz::UtcInstant found = zone->ToUtc(local);
    if (!found.instant) throw TestError("the clocks skip that time in the computer's zone");
    instant = *found.instant;
  }
  // Virtual time `now` is to stand for that moment.
  startMilliseconds_ = instant.time_since_epoch().count() * 1000 - now;
}

// ----- desktop -------------------------------------------------------------------------------

Answer MemoryDesktop::ShowMessage(const MessageBoxRequest& box) {
  messages.push_back(box);
  Answer answer = box.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  static const char* const kNames[] = {"OK", "Yes", "No"};
  log_.Add("message \"" + box.title + "\" answered " + kNames[static_cast<int>(answer)]);
  return answer;
}

bool MemoryDesktop::TopLevelWindowExists(const std::string& title) {
  if (otherWindows.count(title)) return true;
  for (const ui::Form* form : ui_.openForms)
    if (form->caption == title) return true;
  return false;
}

int MemoryDesktop::ShowCursor(bool show) {
  cursorCalls.push_back(show);
  log_.Add(show ? "pointer shown" : "pointer hidden");
  return cursorCount += show ? 1 : -1;
}

std::optional<SystemName> MemoryDesktop::WindowsDirectory() {
  if (windowsDirectory.empty()) return std::nullopt;
  return SystemName(windowsDirectory);
}

std::string MemoryDesktop::TextOfName(const SystemName& name) {
  const std::string& utf8 = name.utf8();
  std::string text;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto c = utf8::Next(utf8, at);
    if (!c) ++at;
    text += c && *c <= 0xFF ? static_cast<char>(*c) : '?';
  }
  return text;
}

SystemName MemoryDesktop::NameOfText(std::string_view text) {
  std::string utf8;
  for (const char byte : text) utf8::Append(utf8, static_cast<unsigned char>(byte));
  return SystemName(utf8);
}

// ----- shell ---------------------------------------------------------------------------------

std::intptr_t MemoryShell::Execute(ui::WindowHandle owner, const std::string& operation,
                                   const SystemName& file, const SystemName& parameters,
                                   const SystemName& directory, int showCommand) {
  executions.push_back(
      {owner, operation, file.utf8(), parameters.utf8(), directory.utf8(), showCommand});
  log_.Add("address opened " + file.utf8());
  return 42;
}

bool MemoryShell::StartProgram(const SystemName& path) {
  startAttempts.push_back(path.utf8());
  std::error_code ec;
  if (!fs::is_regular_file(MemoryFiles::HostPath(path), ec)) {
    log_.Add("process not started " + path.utf8());
    return false;
  }
  started.push_back(path.utf8());
  log_.Add("process started " + path.utf8());
  return true;
}

// ----- windows -------------------------------------------------------------------------------

std::vector<ui::Rect> MemoryUi::Monitors() {
  std::vector<ui::Rect> all{{0, 0, screen.width, screen.height}};
  all.insert(all.end(), otherMonitors.begin(), otherMonitors.end());
  return all;
}

ui::Size MemoryUi::ScreenSizeOf(const ui::Form& form) {
  if (!IsOpen(form)) return screen;
  ui::Size monitor = screen;
  for (const ui::Rect& r : otherMonitors)
    if (!form.maximised && form.left >= r.left && form.left < r.left + r.width &&
        form.top >= r.top && form.top < r.top + r.height)
      monitor = {r.width, r.height};
  const float scale = static_cast<float>(systemDpi) / static_cast<float>(DpiOf(form));
  return {monitor.width * scale, monitor.height * scale};
}

int MemoryUi::DpiOf(const ui::Form& form) const {
  const auto own = dpis_.find(&form);
  return own == dpis_.end() ? systemDpi : own->second;
}

ui::Size MemoryUi::MeasureText(const ui::Font& font, const std::string& text) {
  const auto lines = text::SplitLines(text);
  std::size_t widest = 0;
  for (const auto& line : lines) widest = std::max(widest, line.size());
  const float em = font.points * ui::kTwipsPerPoint;
  return {static_cast<float>(widest) * em * (font.bold ? 0.65f : 0.6f),
          static_cast<float>(lines.size()) * em * 1.25f};
}

void MemoryUi::Open(ui::Form& form) {
  if (failOpen) {
    failOpen = false;
    throw util::Failure(1400, "Invalid window handle.", "Windows");
  }
  if (!IsOpen(form)) {
    openForms.push_back(&form);
    log_.Add("window opened \"" + form.caption + "\"");
    if (openingDpi && *openingDpi != systemDpi) {
      dpis_[&form] = *openingDpi;
      DisplayChanged(form);
    }
  }
  SyncTimers();
}

void MemoryUi::Close(ui::Form& form) {
  if (IsOpen(form)) {
    openForms.erase(std::remove(openForms.begin(), openForms.end(), &form), openForms.end());
    dpis_.erase(&form);
    log_.Add("window closed \"" + form.caption + "\"");
  }
  SyncTimers();
}

ui::WindowHandle MemoryUi::Handle(const ui::Form& form) {
  return IsOpen(form) ? reinterpret_cast<ui::WindowHandle>(&form) : 0;
}

bool MemoryUi::IsOpen(const ui::Form& form) const {
  return std::find(openForms.begin(), openForms.end(), &form) != openForms.end();
}

void MemoryUi::SyncTimers() {
  std::vector<Scheduled> next;
  if (!ended) {
    for (ui::Form* form : openForms) {
      for (std::size_t i = 0; i < form->timers.size(); ++i) {
        const ui::Timer& t = form->timers[i];
        if (!t.enabled || t.interval <= 0) continue;
        auto old = std::find_if(scheduled_.begin(), scheduled_.end(),
                                [&](const Scheduled& s) { return s.form == form && s.timer == i; });
        if (old != scheduled_.end() && old->starts == t.starts && old->interval == t.interval)
          next.push_back(*old);
        else
          next.push_back({form, i, t.starts, t.interval, clock_.now + t.interval});
      }
    }
  }
  scheduled_ = std::move(next);
}

void MemoryUi::Advance(std::int64_t milliseconds) {
  const std::int64_t until = clock_.now + milliseconds;
  while (!ended) {
    auto due =
        std::min_element(scheduled_.begin(), scheduled_.end(),
                         [](const Scheduled& a, const Scheduled& b) { return a.due < b.due; });
    if (due == scheduled_.end() || due->due > until) break;
    clock_.now = due->due;
    due->due += due->interval;
    ui::Form& form = *due->form;
    const std::size_t index = due->timer;
    Deliver(form, [&] {
      if (form.timers[index].onTick) form.timers[index].onTick();
    });
  }
  clock_.now = until;
}

void MemoryUi::Reachable(const ui::Form& form, const std::string& what) const {
  if (ended) throw TestError(what + ": the program has ended");
  if (!IsOpen(form)) throw TestError(what + ": the window \"" + form.caption + "\" is not open");
}

ui::Control& MemoryUi::ShownControl(ui::Form& form, ui::ControlId id) const {
  ui::Control& control = form[id];
  Reachable(form, control.name);
  if (!form.Shown(control)) throw TestError(control.name + " is not shown: a user cannot reach it");
  return control;
}

void MemoryUi::Click(ui::Form& form) {
  Reachable(form, "click");
  Deliver(form, [&] {
    if (form.onClick) form.onClick();
  });
}

void MemoryUi::ClickControl(ui::Form& form, ui::ControlId id) {
  ui::Control& control = ShownControl(form, id);
  Deliver(form, [&] {
    if (control.onClick) control.onClick();
  });
}

void MemoryUi::Type(ui::Form& form, ui::ControlId id, const std::string& text) {
  ui::Control& control = ShownControl(form, id);
  if (control.kind != ui::Kind::TextBox) throw TestError(control.name + " is not a text box");
  control.caption = text;
}

void MemoryUi::KeyDown(ui::Form& form, int keyCode, int shift) {
  Reachable(form, "key");
  Deliver(form, [&] {
    if (form.onKeyDown) form.onKeyDown(keyCode, shift);
  });
}

void MemoryUi::KeyPress(ui::Form& form, int character) {
  Reachable(form, "key press");
  Deliver(form, [&] {
    if (form.onKeyPress) form.onKeyPress(character);
  });
}

void MemoryUi::MouseMove(ui::Form& form, float x, float y) {
  Reachable(form, "pointer movement");
  Deliver(form, [&] {
    if (form.onMouseMove) form.onMouseMove(x, y);
  });
}

void MemoryUi::UserCloses(ui::Form& form) {
  Reachable(form, "close");
  Deliver(form, [&] {
    if (form.onClose) form.onClose();
    Close(form);
  });
}

void MemoryUi::ChangeDisplay(ui::Size primary, std::vector<ui::Rect> others) {
  screen = primary;
  otherMonitors = std::move(others);
  const std::vector<ui::Form*> told = openForms;
  for (ui::Form* form : told) {
    // Not one closed by another form's handler, nor after the program ended.
    if (IsOpen(*form) && !ended) Run([&] { DisplayChanged(*form); });
  }
}

void MemoryUi::ChangeDpi(ui::Form& form, int dpi) {
  Reachable(form, "a change of DPI");
  dpis_[&form] = dpi;
  Run([&] { DisplayChanged(form); });
}

void MemoryUi::DisplayChanged(ui::Form& form) {
  try {
    if (form.onDisplayChange) form.onDisplayChange();
  } catch (const ProgramEnded&) {
    throw;
  } catch (...) {
    if (!form.onFailure) throw;
    form.onFailure(std::current_exception());
  }
}

// ----- the whole platform --------------------------------------------------------------------

MemoryPlatform::MemoryPlatform() {
  std::random_device seed;
  std::mt19937_64 numbers(seed());
  for (;;) {
    fs::path dir = fs::temp_directory_path() / ("tavoria-test-" + std::to_string(numbers()));
    std::error_code ec;
    if (fs::create_directory(dir, ec)) {
      const std::u8string name = dir.u8string();
      process.programDirectory.assign(name.begin(), name.end());
      break;
    }
  }
}

MemoryPlatform::~MemoryPlatform() {
  std::error_code ec;
  fs::remove_all(MemoryFiles::HostPath(SystemName(process.programDirectory)), ec);
}

std::string MemoryPlatform::PathOf(const std::string& name) const {
  return process.programDirectory + "/" + name;
}

fs::path MemoryPlatform::HostPathOf(const std::string& name) const {
  return MemoryFiles::HostPath(SystemName(PathOf(name)));
}

void MemoryPlatform::WriteFile(const std::string& name, std::string_view bytes) const {
  std::ofstream out(HostPathOf(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> MemoryPlatform::ReadFile(const std::string& name) const {
  std::ifstream in(HostPathOf(name), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> MemoryPlatform::Events() const {
  std::vector<std::string> events = log.events;
  auto replace = [&](const std::string& directory, const std::string& name) {
    if (directory.empty()) return;
    for (auto& event : events)
      for (auto at = event.find(directory); at != std::string::npos; at = event.find(directory))
        event.replace(at, directory.size(), name);
  };
  replace(files.roamingAppData, "<appdata>");
  replace(process.programDirectory, "<program>");
  return events;
}

std::vector<std::string> MemoryPlatform::Listing() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(HostPathOf(""))) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform::memory
