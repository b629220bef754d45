#include "saver/failures.h"

#include <new>

#include "platform/text.h"
#include "saver/display/saver_window.h"
#include "saver/identity.h"
#include "saver/startup.h"

namespace tavoria {

platform::MessageBoxRequest GeneralErrorReport(const platform::Failure& failure) {
  return {
      .title = std::string("An error occurred - contact ") + SCREENSAVER_COMPANY + " tech support",
      .text = text::JoinCrLf(
          {std::string("There was an error, but the ") + SCREENSAVER_NAME +
               " does not know what to do. Please e-mail the information below to us and tell us "
               "what you were doing at the time (or anything that may have caused the error).",
           "Error code: " + std::to_string(failure.code()),
           "Error description: " + failure.description(), "Error source: " + failure.source(), "",
           std::string("Web site: ") + HOMEPAGE_URL, std::string("E-mail: ") + SUPPORT_EMAIL}),
      .icon = platform::Icon::Information,
      .buttons = platform::Buttons::Ok,
  };
}

platform::Failure FailureOf(std::exception_ptr exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const platform::Failure& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return platform::Failure(7, "Out of memory");
  } catch (const std::exception& e) {
    return platform::Failure(51, std::string("Internal error: ") + e.what());
  } catch (...) {
    return platform::Failure(51, "Internal error");
  }
}

void EndWithReport(GeneralCode& g, ui::Form* window, const platform::MessageBoxRequest& report) {
  RestoreMousePointer(g);
  if (g.screenSaverWindow && window == &g.screenSaverWindow->form)
    CloseScreenSaverWindow(g);
  else if (window)
    g.sys.ui.Close(*window);
  g.sys.desktop.ShowMessage(report);
  g.sys.process.End(1);
}

void EndOnFailure(GeneralCode& g, ui::Form& window, std::exception_ptr failure) {
  EndWithReport(g, &window, GeneralErrorReport(FailureOf(failure)));
}

}  // namespace tavoria
