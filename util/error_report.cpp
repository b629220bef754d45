#include "util/error_report.h"

#include "util/identity.h"
#include "util/text.h"

namespace tavoria {

ErrorReport GeneralErrorReportText(const util::Failure& failure) {
  return {
      .title = std::string("An error occurred - contact ") + SCREENSAVER_COMPANY + " tech support",
      .text = text::JoinCrLf(
          {std::string("There was an error, but the ") + SCREENSAVER_NAME +
               " does not know what to do. Please e-mail the information below to us and tell us "
               "what you were doing at the time (or anything that may have caused the error).",
           "Error code: " + std::to_string(failure.code()),
           "Error description: " + failure.description(), "Error source: " + failure.source(), "",
           std::string("Web site: ") + HOMEPAGE_URL, std::string("E-mail: ") + SUPPORT_EMAIL}),
  };
}

}  // namespace tavoria
