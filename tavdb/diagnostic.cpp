#include "tavdb/diagnostic.h"

#include <algorithm>

namespace tavdb {

namespace {

int Kept(const Diagnostics& diagnostics, Severity severity) {
  return static_cast<int>(
      std::count_if(diagnostics.begin(), diagnostics.end(),
                    [&](const Diagnostic& d) { return d.severity == severity; }));
}

// Which of two diagnostics a list with a limit would rather keep: the smaller key.
std::pair<bool, int> Rank(const Diagnostic& d) {
  return {d.severity == Severity::Warning, d.line};
}

std::string More(int n, const char* what) {
  return std::to_string(n) + " more " + what + (n == 1 ? "" : "s");
}

}  // namespace

void Diagnostics::push_back(Diagnostic diagnostic) {
  if (!keptPerFile_) {
    kept_.push_back(std::move(diagnostic));
    return;
  }
  auto file = std::find_if(files_.begin(), files_.end(),
                           [&](const FileKept& f) { return f.file == diagnostic.file; });
  if (file == files_.end()) file = files_.insert(file, {diagnostic.file});
  const auto rank = Rank(diagnostic);
  if (file->kept == *keptPerFile_) {
    if (rank >= file->worst) {
      Count(diagnostic.file, diagnostic.severity == Severity::Error,
            diagnostic.severity == Severity::Warning);
      return;
    }
    // Drops the last kept one of the worst rank, and finds the worst of those left.
    auto worst = kept_.end();
    for (auto it = kept_.begin(); it != kept_.end(); ++it)
      if (it->file == diagnostic.file && (worst == kept_.end() || Rank(*it) >= Rank(*worst)))
        worst = it;
    Count(worst->file, worst->severity == Severity::Error, worst->severity == Severity::Warning);
    kept_.erase(worst);
    --file->kept;
    file->worst = rank;
    for (const Diagnostic& d : kept_)
      if (d.file == diagnostic.file) file->worst = std::max(file->worst, Rank(d));
  }
  file->worst = file->kept == 0 ? rank : std::max(file->worst, rank);
  ++file->kept;
  kept_.push_back(std::move(diagnostic));
}

void Diagnostics::Append(const Diagnostics& other) {
  for (const Diagnostic& d : other) push_back(d);
  CountUnkept(other);
}

void Diagnostics::CountUnkept(const Diagnostics& other) {
  for (const Unkept& more : other.unkept_) Count(more.file, more.errors, more.warnings);
}

void Diagnostics::Count(const std::string& file, int errors, int warnings) {
  auto entry =
      std::find_if(unkept_.begin(), unkept_.end(), [&](const Unkept& u) { return u.file == file; });
  if (entry == unkept_.end()) entry = unkept_.insert(entry, {file});
  entry->errors += errors;
  entry->warnings += warnings;
}

int ErrorCount(const Diagnostics& diagnostics) {
  int count = Kept(diagnostics, Severity::Error);
  for (const auto& more : diagnostics.unkept()) count += more.errors;
  return count;
}

int WarningCount(const Diagnostics& diagnostics) {
  int count = Kept(diagnostics, Severity::Warning);
  for (const auto& more : diagnostics.unkept()) count += more.warnings;
  return count;
}

std::string Format(const Diagnostic& diagnostic, const std::string& file) {
  const std::string& name = diagnostic.file.empty() ? file : diagnostic.file;
  const std::string where =
      diagnostic.line > 0 ? name + ":" + std::to_string(diagnostic.line) : name;
  return where + ": " + (diagnostic.severity == Severity::Error ? "error: " : "warning: ") +
         diagnostic.message;
}

void Print(std::ostream& out, const Diagnostics& diagnostics, const std::string& file) {
  Diagnostics shown(kShownPerFile);
  shown.Append(diagnostics);
  for (const Diagnostic& d : shown) out << Format(d, file) << "\n";
  for (const Diagnostics::Unkept& more : shown.unkept()) {
    std::string counts = more.errors > 0 ? More(more.errors, "error") : "";
    if (more.warnings > 0)
      counts += (counts.empty() ? "" : " and ") + More(more.warnings, "warning");
    out << Format({.severity = more.errors > 0 ? Severity::Error : Severity::Warning,
                   .message = counts + " not shown",
                   .file = more.file},
                  file)
        << "\n";
  }
}

}  // namespace tavdb
