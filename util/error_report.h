// The general error report: what the saver tells the user of a failure it does not know how to
// handle, in its own words, and what the makers' tool quotes when it says the saver would show it.
#pragma once

#include <string>

#include "util/failure.h"

namespace tavoria {

struct ErrorReport {
  std::string title;
  std::string text;  // lines joined by CR LF
};

ErrorReport GeneralErrorReportText(const util::Failure& failure);

}  // namespace tavoria
