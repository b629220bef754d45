// What the makers' tool tells the editor: errors and warnings by file and line, in the compiler
// convention "FILE:LINE: error: ...".
#pragma once

#include <string>
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

using Diagnostics = std::vector<Diagnostic>;

// A fault in an input file that stops reading it.
struct InputError {
  int line;
  std::string message;
};

int ErrorCount(const Diagnostics& diagnostics);
// "FILE:LINE: error: message", one a line; "FILE: error: message" for what concerns no one line.
std::string Format(const Diagnostic& diagnostic, const std::string& file);

}  // namespace tavdb
