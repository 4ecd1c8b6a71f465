// The largest season's Compute with the program's office service warm: from the click to the saved
// .xls, and from the click to the saved workbook shown in the viewer's window; beside them a cold
// one-shot conversion of the same workbook, and how the click to the saved file compares with it.
//
// The shown window needs an X display, for instance:
//   QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24' ./build/bench/office_bench
// Without a display the windows run offscreen and that benchmark is skipped.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <stdlib.h>

#include <xcb/xcb.h>

#include "largest_season.h"
#include "platform/locale.h"
#include "platform/office/office_service.h"
#include "platform/office/office_workbook_windows.h"
#include "platform/office/uno_client.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "platform/xls/office_application.h"
#include "run/run_driver.h"
#include "season/season.h"

namespace {

namespace fs = std::filesystem;
using namespace tuvo;
using bench::LargestSeason;
using Clock = std::chrono::steady_clock;

// How long an office may take to start, and a shown window to appear.
constexpr std::chrono::seconds StartWait{90};
constexpr std::chrono::seconds MapWait{20};

// A duration in seconds.
double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The service the benchmarks share, as the program starts it; null until first used.
std::shared_ptr<office::OfficeService>& ServiceSlot() {
  static std::shared_ptr<office::OfficeService> service;
  return service;
}

// The service, installed and ready: the converter started, and the viewer where there is one.
office::OfficeService* WarmService() {
  std::shared_ptr<office::OfficeService>& service = ServiceSlot();
  if (!service) {
    const bool withViewer = office::OfficeWorkbookWindows::HasDisplay();
    service = std::make_shared<office::OfficeService>();
    office::OfficeService::Install(service);
    service->StartInBackground(withViewer);
    service->WaitForConverter(StartWait);
    // The viewer's start is over before any benchmark touches the environment.
    if (withViewer) service->WaitForViewer(StartWait);
  }
  return service->ConverterProcess() > 0 ? service.get() : nullptr;
}

// Ends the service: the run's application quits first, so the viewer shows nothing any more.
void EndService() {
  if (bench::SeasonSlot() && bench::SeasonSlot()->fields.ExcelApp) bench::SeasonSlot()->frm.cmdRun2_Click();
  bench::Settle();
  office::OfficeService::Install(nullptr);
  ServiceSlot().reset();
}

// The season ready for its click: New computation and the season again after a run.
LargestSeason& ReadySeason() {
  LargestSeason& season = bench::Season();
  if (season.fields.ExcelApp) {
    bench::CloseMessageBoxes(season.frm);
    season.frm.cmdRun2_Click();
    bench::Settle();
    season.Fill();
  }
  return season;
}

// Sets the clock to a time of its own for the next run; returns the file that run saves.
fs::path NextRunFile() {
  static int runs = 0;
  const int run = runs++;
  const locale::DateTime at{std::chrono::year{2010} / std::chrono::June / 1, 13, run / 60, run % 60};
  system::SetClock([at] { return at; });
  return OutputFileName(system::OutputFolder(), KDML105Transplanted, locale::RunTimestamp(at));
}

// The season run once, its workbook open and saved as the run leaves it.
sheet::Workbook* SavedRun() {
  LargestSeason& season = bench::Season();
  const auto saved = [&] {
    return season.fields.ExcelApp && !season.fields.ExcelApp->HasQuit() &&
           season.fields.ExcelApp->Workbooks().Count() > 0 &&
           !season.fields.ExcelApp->ActiveWorkbook().FullName().empty();
  };
  if (!saved()) {
    ReadySeason();
    NextRunFile();
    season.frm.cmdRun_Click();
    system::SetClock({});
    bench::CloseMessageBoxes(season.frm);
  }
  return saved() ? &season.fields.ExcelApp->ActiveWorkbook() : nullptr;
}

// Hides the display from the viewer while it lives: the runs save without showing anything.
// The Qt application keeps its connection.
class DisplayHidden {
 public:
  DisplayHidden() {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (const char* value = std::getenv(names_[i])) values_[i] = value;
      unsetenv(names_[i]);
    }
  }
  ~DisplayHidden() {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (values_[i]) setenv(names_[i], values_[i]->c_str(), 1);
    }
  }
  DisplayHidden(const DisplayHidden&) = delete;
  DisplayHidden& operator=(const DisplayHidden&) = delete;

 private:
  std::array<const char*, 2> names_{"DISPLAY", "WAYLAND_DISPLAY"};
  std::array<std::optional<std::string>, 2> values_;
};

// The X server of the display, asked directly, so that a look costs round trips, not processes.
class XDisplay {
 public:
  XDisplay() {
    int screen = 0;
    connection_ = xcb_connect(nullptr, &screen);
    if (!Usable()) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (; it.rem > 0 && screen > 0; --screen) xcb_screen_next(&it);
    root_ = it.data->root;
    const char name[] = "_NET_WM_NAME";
    if (xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr)) {
      netWmName_ = atom->atom;
      std::free(atom);
    }
  }
  ~XDisplay() { xcb_disconnect(connection_); }
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  // Whether the connection stands.
  bool Usable() const { return xcb_connection_has_error(connection_) == 0; }

  // Whether a viewable top-level window (or a window-manager frame's client) has a title holding
  // `needle`; the raw title is searched, an ASCII needle reads alike in every encoding.
  bool WindowMapped(const std::string& needle) {
    std::vector<xcb_window_t> windows = Children(root_);
    for (std::size_t i = 0, tops = windows.size(); i < tops; ++i) {
      const std::vector<xcb_window_t> clients = Children(windows[i]);
      windows.insert(windows.end(), clients.begin(), clients.end());
    }
    for (xcb_window_t window : windows) {
      if (Titled(window, needle) && Viewable(window)) return true;
    }
    return false;
  }

 private:
  // The window's children.
  std::vector<xcb_window_t> Children(xcb_window_t window) {
    std::vector<xcb_window_t> children;
    if (xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr)) {
      const xcb_window_t* first = xcb_query_tree_children(tree);
      children.assign(first, first + xcb_query_tree_children_length(tree));
      std::free(tree);
    }
    return children;
  }

  // Whether WM_NAME or _NET_WM_NAME holds `needle`.
  bool Titled(xcb_window_t window, const std::string& needle) {
    for (xcb_atom_t property : {static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME), netWmName_}) {
      if (property == XCB_ATOM_NONE) continue;
      xcb_get_property_reply_t* reply = xcb_get_property_reply(
          connection_, xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
      if (reply == nullptr) continue;
      const std::string title(static_cast<const char*>(xcb_get_property_value(reply)),
                              static_cast<std::size_t>(xcb_get_property_value_length(reply)));
      std::free(reply);
      if (title.find(needle) != std::string::npos) return true;
    }
    return false;
  }

  // Whether the window and all its ancestors are mapped.
  bool Viewable(xcb_window_t window) {
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr);
    if (attributes == nullptr) return false;
    const bool viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    return viewable;
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  xcb_atom_t netWmName_ = XCB_ATOM_NONE;
};

// Waits up to MapWait for that window; true once it is mapped.
bool WaitForMappedWindow(XDisplay& display, const std::string& needle) {
  const Clock::time_point until = Clock::now() + MapWait;
  while (!display.WindowMapped(needle)) {
    if (Clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Mean seconds from the click to the saved file, for the comparison with the one-shot.
double& ClickToSavedSeconds() {
  static double seconds = 0;
  return seconds;
}

// From Compute's click to the saved .xls, converted by the warm converter; nothing is shown.
void BM_ClickToSavedXls_WarmConverter(benchmark::State& state) {
  office::OfficeService* service = WarmService();
  if (service == nullptr) {
    state.SkipWithError("the converter did not start");
    return;
  }
  const DisplayHidden hidden;
  const int conversions = service->Conversions();
  const int oneShots = service->OneShots();
  int saved = 0, shown = 0;
  Clock::duration total{}, first{};
  for (auto _ : state) {
    state.PauseTiming();
    LargestSeason& season = ReadySeason();
    const fs::path file = NextRunFile();
    state.ResumeTiming();

    const Clock::time_point start = Clock::now();
    season.frm.cmdRun_Click();
    const Clock::duration took = Clock::now() - start;

    state.PauseTiming();
    if (total == Clock::duration{}) first = took;
    total += took;
    if (fs::is_regular_file(file)) ++saved;
    if (season.fields.ExcelApp->IsShowing(season.fields.ExcelApp->ActiveWorkbook())) ++shown;
    state.ResumeTiming();
  }
  system::SetClock({});
  const int runs = static_cast<int>(state.iterations());
  ClickToSavedSeconds() = Seconds(total) / runs;
  state.counters["saved"] = saved;
  state.counters["converter"] = service->Conversions() - conversions;
  state.counters["one_shot"] = service->OneShots() - oneShots;
  state.counters["shown"] = shown;
  state.counters["first_s"] = Seconds(first);
  if (saved != runs) state.SkipWithError("a run saved no .xls file");
  else if (service->OneShots() != oneShots) state.SkipWithError("a save fell back to the one-shot conversion");
}
BENCHMARK(BM_ClickToSavedXls_WarmConverter)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// From Compute's click to the saved workbook in a mapped window of the warm viewer.
void BM_ClickToShownWindow_WarmViewer(benchmark::State& state) {
  if (!office::OfficeWorkbookWindows::HasDisplay()) {
    state.SkipWithError("no display");
    return;
  }
  XDisplay display;
  if (!display.Usable()) {
    state.SkipWithError("no X display");
    return;
  }
  office::OfficeService* service = WarmService();
  if (service == nullptr || service->ViewerProcess() < 0) {
    state.SkipWithError(service == nullptr ? "the converter did not start" : "the viewer did not start");
    return;
  }
  const int oneShots = service->OneShots();
  int mapped = 0, inViewer = 0;
  Clock::duration mapping{}, polling{};
  for (auto _ : state) {
    state.PauseTiming();
    LargestSeason& season = ReadySeason();
    const fs::path file = NextRunFile();
    // The time stamp's end with the extension: ASCII, whatever the title does with Thai.
    const std::string stamp = file.filename().string();
    const std::string needle = stamp.substr(stamp.rfind(' ', stamp.size() - 6) + 1);
    state.ResumeTiming();

    season.frm.cmdRun_Click();
    const Clock::time_point returned = Clock::now();
    const bool shown = WaitForMappedWindow(display, needle);
    const Clock::duration waited = Clock::now() - returned;

    state.PauseTiming();
    mapping += waited;
    if (shown) ++mapped;
    // What one look costs, paid at least once in the wait above.
    const Clock::time_point look = Clock::now();
    display.WindowMapped(needle);
    polling += Clock::now() - look;
    xls::OfficeApplication& app = *xls::OfficeApplication::Of(*season.fields.ExcelApp);
    const std::optional<pid_t> process = app.Windows().ProcessOf(app.ActiveWorkbook());
    if (process && *process == service->ViewerProcess()) ++inViewer;
    state.ResumeTiming();
  }
  system::SetClock({});
  const int runs = static_cast<int>(state.iterations());
  state.counters["mapped"] = mapped;
  state.counters["in_viewer"] = inViewer;
  state.counters["one_shot"] = service->OneShots() - oneShots;
  state.counters["map_wait_ms"] = 1000 * Seconds(mapping) / runs;
  state.counters["look_us"] = 1e6 * Seconds(polling) / runs;
  if (mapped != runs) state.SkipWithError("no mapped window showed the saved file");
  else if (inViewer != runs) state.SkipWithError("the workbook was not shown in the service's viewer");
}
BENCHMARK(BM_ClickToShownWindow_WarmViewer)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same workbook saved by a cold one-shot LibreOffice, as without the service.
void BM_ColdOneShotConversion(benchmark::State& state) {
  sheet::Workbook* workbook = SavedRun();
  if (workbook == nullptr) {
    state.SkipWithError("the run saved no workbook");
    return;
  }
  // The run's application, without the service and showing nothing: each save is a cold
  // LibreOffice of its own.
  xls::OfficeApplication& app = *xls::OfficeApplication::Of(*bench::Season().fields.ExcelApp);
  app.SetVisible(false);
  app.Office().service = nullptr;
  const int conversions = ServiceSlot() ? ServiceSlot()->Conversions() : 0;
  const fs::path file = bench::Home() / "one-shot.xls";
  Clock::duration total{};
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(file);
    state.ResumeTiming();

    const Clock::time_point start = Clock::now();
    workbook->SaveAs(file.string());
    const Clock::duration took = Clock::now() - start;

    state.PauseTiming();
    total += took;
    state.ResumeTiming();
  }
  const double oneShot = Seconds(total) / static_cast<double>(state.iterations());
  state.counters["converter"] = (ServiceSlot() ? ServiceSlot()->Conversions() : 0) - conversions;
  if (ClickToSavedSeconds() > 0) state.counters["click_to_saved_ratio"] = ClickToSavedSeconds() / oneShot;
  if (!fs::is_regular_file(file)) state.SkipWithError("the one-shot saved no .xls file");
}
BENCHMARK(BM_ColdOneShotConversion)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

// Offscreen without a display; with one, Qt's own platform unless QT_QPA_PLATFORM names one.
int main(int argc, char** argv) {
  const char* display = std::getenv("DISPLAY");
  // A request to an instance may still be at work in the UNO libraries at the end.
  office::uno::Exit(
      bench::RunBenchmarks(argc, argv, display != nullptr && *display != '\0' ? nullptr : "offscreen", EndService));
}
