// The largest season the window takes (twenty groups, 39 weeks): the Compute run itself without
// its save, writing the run's workbook as .xlsx, and the full save of that workbook as .xls.
//
// The run is the real one: a main window filled through its controls as a user fills it, then
// its Compute handler. To leave the save out, the clock is fixed and a folder stands where the
// result file would go; the save then refuses at once, before it writes anything, and the run
// ends there. Everything is written under a temporary home folder, removed at the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "largest_season.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "platform/xls/xls_save.h"
#include "run/run_driver.h"
#include "season/season.h"

namespace {

namespace fs = std::filesystem;
using namespace tuvo;
using bench::CloseMessageBoxes;
using bench::Home;
using bench::LargestSeason;
using bench::Season;

// The workbook of one finished and saved run of the season, open as the run leaves it.
sheet::Workbook& SavedResult() {
  static sheet::Workbook* workbook = [] {
    LargestSeason& season = Season();
    system::SetClock({});
    season.frm.cmdRun_Click();
    CloseMessageBoxes(season.frm);
    sheet::Workbook& book = season.fields.ExcelApp->ActiveWorkbook();
    if (book.FullName().empty()) throw std::runtime_error("the run saved no workbook");
    return &book;
  }();
  return *workbook;
}

void BM_RunWithoutSave_20Groups39Weeks(benchmark::State& state) {
  LargestSeason& season = Season();
  const locale::DateTime fixed{std::chrono::year{2010} / std::chrono::June / 1, 8, 30, 0};
  system::SetClock([fixed] { return fixed; });
  const fs::path target =
      OutputFileName(system::OutputFolder(), KDML105Transplanted, locale::RunTimestamp(fixed));
  fs::create_directories(target);  // in the save's way
  for (auto _ : state) {
    season.frm.cmdRun_Click();
    state.PauseTiming();
    CloseMessageBoxes(season.frm);
    state.ResumeTiming();
  }
  system::SetClock({});
  fs::remove_all(target);
  // The run went through the summary sheet (progress 100) and stopped at the save.
  const auto& steps = season.frm.LastRunProgress();
  if (steps.empty() || steps.back().bar != 100) state.SkipWithError("the run did not reach the save");
}
BENCHMARK(BM_RunWithoutSave_20Groups39Weeks)->Unit(benchmark::kMillisecond);

void BM_WriteXlsx_20Groups39Weeks(benchmark::State& state) {
  const sheet::Workbook& workbook = SavedResult();
  const fs::path file = Home() / "bench.xlsx";
  for (auto _ : state) xls::WriteXlsx(workbook, file);
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
}
BENCHMARK(BM_WriteXlsx_20Groups39Weeks)->Unit(benchmark::kMillisecond);

void BM_SaveXls_20Groups39Weeks(benchmark::State& state) {
  sheet::Workbook& workbook = SavedResult();
  const std::string file = (Home() / "bench.xls").string();
  for (auto _ : state) workbook.SaveAs(file);
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
}
BENCHMARK(BM_SaveXls_20Groups39Weeks)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

// The windows run offscreen unless QT_QPA_PLATFORM names a platform.
int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv, "offscreen"); }
