// The largest season the window takes (twenty groups, 39 weeks), entered through the window's
// controls as a user enters it, and the frame of a benchmark program around it: the windows on
// Qt's chosen platform and the output folder in a temporary home folder of the program's own.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include <stdlib.h>

#include "forms/frmTUVO.h"
#include "forms/main_fields.h"
#include "season/season.h"

namespace tuvo::bench {

namespace fs = std::filesystem;

// The benchmark's home folder (HOME names it while the benchmarks run).
inline fs::path& Home() {
  static fs::path home;
  return home;
}

// Lets posted work run: deferred deletions, closed notes.
inline void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Closes the notes a run left over the window.
inline void CloseMessageBoxes(QWidget& window) {
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
    Fill();
  }

  // Enters the season, on a new window or after New computation.
  void Fill() {
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
inline std::unique_ptr<LargestSeason>& SeasonSlot() {
  static std::unique_ptr<LargestSeason> season;
  return season;
}

inline LargestSeason& Season() {
  if (!SeasonSlot()) SeasonSlot() = std::make_unique<LargestSeason>();
  return *SeasonSlot();
}

// Runs the benchmarks in a Qt application with a temporary home folder, removed at the end.
// `platform` is Qt's platform unless QT_QPA_PLATFORM names one (none: Qt's own choice);
// `beforeEnd` runs after the benchmarks, before the season and the Qt application go.
inline int RunBenchmarks(int argc, char** argv, const char* platform, const std::function<void()>& beforeEnd = {}) {
  if (platform != nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", platform, 1);
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
    if (beforeEnd) beforeEnd();
    SeasonSlot().reset();
  }
  std::error_code ignored;
  fs::remove_all(Home(), ignored);
  return status;
}

}  // namespace tuvo::bench
