#include "tavdb/diagnostic.h"

#include <algorithm>

namespace tavdb {

int ErrorCount(const Diagnostics& diagnostics) {
  return static_cast<int>(
      std::count_if(diagnostics.begin(), diagnostics.end(),
                    [](const Diagnostic& d) { return d.severity == Severity::Error; }));
}

std::string Format(const Diagnostic& diagnostic, const std::string& file) {
  const std::string& name = diagnostic.file.empty() ? file : diagnostic.file;
  const std::string where =
      diagnostic.line > 0 ? name + ":" + std::to_string(diagnostic.line) : name;
  return where + ": " + (diagnostic.severity == Severity::Error ? "error: " : "warning: ") +
         diagnostic.message;
}

}  // namespace tavdb
