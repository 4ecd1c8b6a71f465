// The largest season the window takes (twenty groups, 39 weeks): the Compute run itself without
// its save, writing the run's workbook as .xlsx, and the full save of that workbook as .xls.
//
// The run is the real one: a main window filled through its controls as a user fills it, then
// its Compute handler. To leave the save out, the clock is fixed and a folder stands where the
// result file would go; the save then refuses at once, before it writes anything, and the run
// ends there. Everything is written under a temporary home folder, removed at the end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include <stdlib.h>

#include "forms/frmTUVO.h"
#include "forms/main_fields.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "platform/sheet/xls_save.h"
#include "platform/system.h"
#include "run/run_driver.h"
#include "run/season.h"

namespace {

namespace fs = std::filesystem;
using namespace tuvo;

fs::path& Home() {
  static fs::path home;
  return home;
}

// Lets posted work run: deferred deletions, closed notes.
void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Closes the notes a run left over the window.
void CloseMessageBoxes(QWidget& window) {
  for (QMessageBox* box : window.findChildren<QMessageBox*>()) box->close();
  Settle();
}

// A main window with KDML 105 rice in twenty groups of 1000 rai, two nursery-bed weeks
// (2 + 20 + 17 = 39 weeks), from 1 June 2553, at Chiang Mai, ready for Compute.
struct LargestSeason {
  MainFields fields;
  frmTUVO frm{fields};

  LargestSeason() {
    frm.show();
    frm.activateWindow();
    Settle();
    frm.cboSamnuk.Pick("สำนักชลประทานที่ 1");
    frm.cboKrongkan.Pick("โครงการชลประทานเชียงใหม่");
    frm.cboProvince.Pick("เชียงใหม่");
    frm.cboCroptype.Pick(KDML105Transplanted);
    frm.cboTriamplangKla.Pick("2");
    frm.cboTriamdinkla.Pick("150");
    frm.cboLiengklatime.Pick("4");
    frm.cboLiengkla.Pick("300");
    frm.cboATokla.Pick("15");
    frm.cboTriamplangNaDam.Pick("2");
    frm.cboNadam1.Pick("300");
    frm.cboSoiltype.Pick("ดินเหนียว(Clay)");
    frm.cboDeeper.Pick("1.0");
    frm.cboEfficiency.Pick("70");
    frm.cboGroup.Pick("20");
    frm.cboFirstdate.Pick("1");
    frm.cboFirstmonth.Pick("มิถุนายน");
    frm.cboFirstyear.Pick("2553");
    frm.txtArea2.ClickIn();
    for (int group = 1; group <= 20; ++group) {
      frm.txtArea2.Type("1000");
      frm.cmdInputArea.Press();
    }
    if (!frm.cmdRun.Enabled() || fields.ScheduleWeeks != 39) {
      throw std::runtime_error("the window did not take the season of twenty groups and 39 weeks");
    }
  }
};

// Made on first use, ended before the Qt application ends.
std::unique_ptr<LargestSeason>& SeasonSlot() {
  static std::unique_ptr<LargestSeason> season;
  return season;
}

LargestSeason& Season() {
  if (!SeasonSlot()) SeasonSlot() = std::make_unique<LargestSeason>();
  return *SeasonSlot();
}

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
  for (auto _ : state) sheet::WriteXlsx(workbook, file);
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

int main(int argc, char** argv) {
  // The windows run offscreen and the output folder lies in a home folder of the benchmark's own.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string pattern = (fs::temp_directory_path() / "tuvo-bench-home-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return 1;
  Home() = pattern;
  setenv("HOME", pattern.c_str(), 1);

  int status = 0;
  {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
      status = 1;
    } else {
      benchmark::RunSpecifiedBenchmarks();
      benchmark::Shutdown();
    }
    SeasonSlot().reset();
  }
  std::error_code ignored;
  fs::remove_all(Home(), ignored);
  return status;
}
