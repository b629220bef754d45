// What a failure that nothing else handles comes to, in one place: the pointer back, the failing
// window closed (so its timers cannot run on behind the report), the report, the end.
#pragma once

#include <exception>

#include "platform/form.h"
#include "platform/platform.h"
#include "saver/saver_state.h"

namespace tavoria {

// The general error report for a failure the program does not know how to handle, as a box.
platform::MessageBoxRequest GeneralErrorReport(const util::Failure& failure);
// Any exception as the failure the user is told of: a Failure as it is, running out of memory as
// code 7, anything else as code 51 with its description.
util::Failure FailureOf(std::exception_ptr exception);

// Shows the pointer again if start-up hid it, closes `window` (when given), shows the report and
// ends the program with exit code 1 (it does not return).
void EndWithReport(SaverState& saver, ui::Form* window, const platform::MessageBoxRequest& report);
// A window's handler failed, or the window layer could not show what it changed: the general
// error report, by EndWithReport.
void EndOnFailure(SaverState& saver, ui::Form& window, std::exception_ptr failure);

}  // namespace tavoria
