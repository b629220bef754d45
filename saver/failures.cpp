#include "saver/failures.h"

#include <new>

#include "saver/display/saver_window.h"
#include "saver/startup.h"
#include "util/error_report.h"
#include "util/identity.h"

namespace tavoria {

platform::MessageBoxRequest GeneralErrorReport(const util::Failure& failure) {
  ErrorReport report = GeneralErrorReportText(failure);
  return {.title = std::move(report.title),
          .text = std::move(report.text),
          .icon = platform::Icon::Information,
          .buttons = platform::Buttons::Ok};
}

util::Failure FailureOf(std::exception_ptr exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const util::Failure& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return util::Failure(util::codes::kOutOfMemory, "Out of memory");
  } catch (const std::exception& e) {
    return util::Failure(util::codes::kInternalError, std::string("Internal error: ") + e.what());
  } catch (...) {
    return util::Failure(util::codes::kInternalError, "Internal error");
  }
}

void EndWithReport(SaverState& saver, ui::Form* window, const platform::MessageBoxRequest& report) {
  RestoreMousePointer(saver);
  if (saver.screenSaverWindow && window == &saver.screenSaverWindow->form)
    CloseScreenSaverWindow(saver);
  else if (window)
    saver.sys.ui.Close(*window);
  saver.sys.desktop.ShowMessage(report);
  saver.sys.process.End(1);
}

void EndOnFailure(SaverState& saver, ui::Form& window, std::exception_ptr failure) {
  EndWithReport(saver, &window, GeneralErrorReport(FailureOf(failure)));
}

}  // namespace tavoria
