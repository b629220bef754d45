// What the makers' tool tells the editor: errors and warnings by file and line, in the compiler
// convention "FILE:LINE: error: ...".
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tavdb {

enum class Severity { Error, Warning };

struct Diagnostic {
  Severity severity = Severity::Error;
  int line = 0;
  std::string message;  // UTF-8
  std::string file;     // empty: the file the command works on
  // For an error in a database: the failure the saver's loader stops on there, by its code (62
  // for a damaged file), or `tooNew` for a format version newer than the saver reads.
  int code = 0;
  bool tooNew = false;
};

// At most this many diagnostics of one file are printed (and kept, where an input may hold
// millions of faults); the others are counted.
inline constexpr std::size_t kShownPerFile = 100;

// Diagnostics in the order they were found. A list made with a limit keeps at most that many of
// each file's and only counts the others, so that an input with a fault on each of millions of
// lines costs little memory: it keeps the errors before the warnings, each by the earliest lines
// (so the first error is always kept). A list made without a limit keeps them all.
class Diagnostics {
 public:
  using iterator = std::vector<Diagnostic>::iterator;
  using const_iterator = std::vector<Diagnostic>::const_iterator;

  // What a file has beyond what is kept.
  struct Unkept {
    std::string file;
    int errors = 0, warnings = 0;
  };

  Diagnostics() = default;
  explicit Diagnostics(std::size_t keptPerFile) : keptPerFile_(keptPerFile) {}

  void push_back(Diagnostic diagnostic);
  // Adds another list's diagnostics, those it kept and those it only counted.
  void Append(const Diagnostics& other);
  // Counts another list's diagnostics that it did not keep as not kept here.
  void CountUnkept(const Diagnostics& other);
  // Adds diagnostics at the end (the one place a list with a limit can take them).
  template <typename It>
  void insert(const_iterator end, It first, It last) {
    if (end != kept_.end()) throw std::logic_error("diagnostics are added at the end only");
    for (; first != last; ++first) push_back(*first);
  }

  iterator begin() { return kept_.begin(); }
  iterator end() { return kept_.end(); }
  const_iterator begin() const { return kept_.begin(); }
  const_iterator end() const { return kept_.end(); }
  bool empty() const { return kept_.empty(); }
  std::size_t size() const { return kept_.size(); }  // those kept
  Diagnostic& front() { return kept_.front(); }
  Diagnostic& back() { return kept_.back(); }
  const Diagnostic& operator[](std::size_t i) const { return kept_[i]; }

  // The files with diagnostics not kept, in the order of their first one that was not.
  const std::vector<Unkept>& unkept() const { return unkept_; }

 private:
  void Count(const std::string& file, int errors, int warnings);
  // With a limit: how many of a file's are kept, and the worst rank among them.
  struct FileKept {
    std::string file;
    std::size_t kept = 0;
    std::pair<bool, int> worst{false, 0};
  };
  std::optional<std::size_t> keptPerFile_;
  std::vector<Diagnostic> kept_;
  std::vector<FileKept> files_;
  std::vector<Unkept> unkept_;
};

// A fault in an input file that stops reading it.
struct InputError {
  int line;
  std::string message;
};

// Errors and warnings, kept or only counted.
int ErrorCount(const Diagnostics& diagnostics);
int WarningCount(const Diagnostics& diagnostics);
// "FILE:LINE: error: message", one a line; "FILE: error: message" for what concerns no one line.
std::string Format(const Diagnostic& diagnostic, const std::string& file);
// Prints the diagnostics, one a line, at most kShownPerFile of each file, then for each file with
// more, how many ("FILE: error: 4900 more errors and 2 more warnings not shown").
void Print(std::ostream& out, const Diagnostics& diagnostics, const std::string& file);

}  // namespace tavdb
