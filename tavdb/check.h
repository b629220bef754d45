// Checking a team database before it is published: every fault the saver's loader would stop on,
// found by the loader's own walk through the file and its own fixture composition, and what the
// saver accepts but users would see wrongly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tavdb/diagnostic.h"
#include "util/calendar.h"

namespace tavdb {

struct CheckOptions {
  // The moment and regional settings the database is checked for, as the saver would load it.
  calendar::Moment moment;
  calendar::RegionalSettings regional;
  // The database number of the database this one follows, as the saver reads it, and its name.
  std::optional<int> previousNumber;
  std::string previousName;
};

// Walks the database's bytes as the loader does, going on after each fault where the walk can
// keep in step, so the errors come in the order the loader meets them: the first is the failure
// the loader stops on. Warnings follow the lines they concern. Of a file with more than
// kShownPerFile, those are kept, the errors first; the others are counted.
Diagnostics CheckDatabase(std::string_view bytes, const CheckOptions& options);

// What the saver's loader says of the failure `code` (or of a database too new).
std::string SaverOutcome(int code, bool tooNew);

}  // namespace tavdb
