// Load and save of large settings lists, natively: ./build/benchmark/tests/bench/velloway_benchmarks
#include <benchmark/benchmark.h>

#include <string>

#include "TestPlatform.h"
#include "core/SettingsFormat.h"

namespace velloway {
namespace {

SettingsList MakeList(size_t count) {
  SettingsList list;
  for (size_t i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    const Text number(n.begin(), n.end());
    list.Append(ButtonSetting{u"経理 " + number, u"Z", u"\\\\server\\share" + number, u"user,&" + number,
                              u"0123456789ABCDEF0123456789ABCDEF"});
  }
  return list;
}

void BM_Save(benchmark::State& state) {
  const SettingsList list = MakeList(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FormatSettings(list, testing::TestCodePage()));
  state.SetComplexityN(state.range(0));
}

void BM_Load(benchmark::State& state) {
  const std::string bytes = FormatSettings(MakeList(static_cast<size_t>(state.range(0))), testing::TestCodePage());
  for (auto _ : state) benchmark::DoNotOptimize(ParseSettings(bytes, testing::TestCodePage()));
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace velloway

BENCHMARK_MAIN();
