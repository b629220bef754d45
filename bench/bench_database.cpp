// Loading a database that fills every list to its capacity.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/memory/memory_platform.h"
#include "saver/data/database.h"

namespace {

std::string FullDatabase() {
  std::string text =
      "tavoria\r\nTavoria national football team\r\nFenmoor Entertainment UK\r\n17\r\n";
  text += "Database 17\r\n2\r\nSpecial fixtures\r\n";
  for (int n = 1; n <= 10; ++n)
    text += "Tavoria vs Opponent " + std::to_string(n) + "\r\n*** Special fixture " +
            std::to_string(n) + " ***\r\n";
  text += "End special fixtures\r\nFixtures\r\n";
  for (int n = 0; n < 100; ++n) {
    text += std::to_string(1 + n % 28) + " March " + std::to_string(2027 + n / 28) + "\r\n";
    text += "UEFA Euro 2028 Qualifier\r\n";
    text += "Tavoria vs Opponent " + std::to_string(n % 12) + "\r\n";
    text += "19:45\r\nArvost Stadium, Marvaine\r\n";
  }
  text += "End Fixtures\r\nTeam facts\r\n";
  for (int n = 1; n <= 99; ++n)
    text += "Team fact number " + std::to_string(n) +
            ": the Lynxes have played at the Arvost Stadium since 1957.\r\n";
  text += "End Trivia\r\nAdverts\r\n";
  for (int n = 1; n <= 99; ++n)
    text += "Advert " + std::to_string(n) + ": free upgrades at fenmoor.example/football\r\n";
  text += "End Ads\r\n";
  return text;
}

void BM_LoadFullDatabase(benchmark::State& state) {
  platform::memory::MemoryPlatform m;
  m.clock.Set({2026, 12, 8}, 15, 0, 0);
  m.WriteFile("tavoria.sdf", FullDatabase());
  for (auto _ : state) {
    tavoria::SaverState saver{m.platform};
    tavoria::LoadDatabase(saver);
    const database::LoadedDatabase& loaded = saver.database;
    if (loaded.fixtures.texts.size() != 100 || loaded.trivia.size() != 100 ||
        loaded.adverts.size() != 100 || loaded.specialFixtures.size() != 10 ||
        !m.desktop.messages.empty()) {
      state.SkipWithError("the database did not load to capacity");
      break;
    }
    benchmark::DoNotOptimize(loaded.fixtures.texts.data());
  }
}
BENCHMARK(BM_LoadFullDatabase)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
