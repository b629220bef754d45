// The zone file reader on any bytes: it reads them or says why not, and a zone it reads shows each
// instant at a local time that leads back to it or to an earlier instant. Zone names too.
#include <optional>
#include <string>

#include "tests/fuzz/fuzz_input.h"
#include "tz/time_zone.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace std::chrono;
  using tz::LocalTimeKind;
  const std::string_view bytes = fuzz::Bytes(data, size);
  if (const auto path = tz::ZoneFilePath(bytes)) Require(path->find('.') == path->npos);
  if (const auto version = tz::TzdataVersion(bytes)) Require(!version->empty());
  std::optional<tz::TimeZone> zone;
  try {
    zone = tz::TimeZone::FromTzif(bytes);
  } catch (const tz::ZoneFileError& e) {
    Require(*e.what() != '\0');
    return 0;
  }
  // About the transitions in the seeds, in 2026 and 2090, and up to 6000 years either side.
  const std::int64_t fromSize = static_cast<std::int64_t>(size) * 7'777'777 % 190'000'000'000;
  for (const std::int64_t at : {-1L, 0L, 3600L, 1781395200L, 3810000000L, fromSize, -fromSize}) {
    const sys_seconds instant{seconds{at}};
    const local_seconds local = zone->ToLocal(instant);
    const tz::UtcInstant back = zone->ToUtc(local);
    Require(back.instant && *back.instant <= instant && zone->ToLocal(*back.instant) == local);
    Require(back.kind == LocalTimeKind::Repeated ||
            (back.kind == LocalTimeKind::Unique && *back.instant == instant));
    const local_seconds later = local + minutes{at % 1440};
    const tz::UtcInstant shifted = zone->ToUtc(later);
    Require(shifted.instant ? zone->ToLocal(*shifted.instant) == later
                            : shifted.kind == LocalTimeKind::Skipped);
  }
  return 0;
}
