// Placeholder until the loader lands: the lists stay empty.
#include "saver/data/database.h"

namespace tavoria {

void LoadDatabase(GeneralCode&) {}
std::int16_t GetDatabaseNumber(GeneralCode&) { return -1; }
void AddBuiltInAdverts(GeneralCode&) {}
platform::MessageBoxRequest GeneralErrorReport(const platform::Failure& failure) {
  return {"", failure.description(), platform::Icon::Information, platform::Buttons::Ok};
}

}  // namespace tavoria
