// The main window: every input of one season, the commands Compute, New computation, Help and
// Exit, and the footer that opens the About box. Its controls are public adapters under their own
// names; its handlers are public methods named after the control and the event. The fields that
// outlive the window are the application's MainFields, taken by reference.
//
// The handlers are defined by topic: frmTUVO.cpp (layout, start-up, About, Help, Exit),
// frmTUVO_season.cpp (season length and calendar), frmTUVO_location.cpp (location cascade),
// frmTUVO_crop.cpp (crop, dates, preparation), frmTUVO_area.cpp (area groups),
// frmTUVO_rain.cpp (rainfall choice and entry), frmTUVO_reset.cpp (new computation),
// frmTUVO_run.cpp (Compute).
#pragma once

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/frmTUVO2.h"
#include "forms/main_fields.h"
#include "forms/window_host.h"
#include "platform/controls.h"
#include "platform/locale.h"
#include "season/season_inputs.h"

namespace tuvo {

class Progress;
namespace sheet {
class Workbook;
}

class frmTUVO : public QWidget {
 public:
  // The window caption.
  static constexpr const char* Caption = " TUVO  23.03.52";

  // Builds the window with its controls and runs Form_Load. `host` may be null (a window on its
  // own, as in tests): then the About footer does nothing and Exit quits the Qt application.
  explicit frmTUVO(MainFields& fields, WindowHost* host = nullptr, QWidget* parent = nullptr);
  ~frmTUVO() override;

  MainFields& Fields() { return fields_; }
  const MainFields& Fields() const { return fields_; }

  // The current texts of the lists and txtGroup and the states of the option buttons.
  SeasonTexts Texts() const;
  // The control of that name, or null.
  controls::Control* FindControl(std::string_view name) const;
  // Every control, in the order they were created.
  const std::vector<controls::Control*>& AllControls() const { return all_; }

  // ---- Start-up, Help, Exit, About
  void Form_Load();
  // Appends their fixed items to the lists that have them (every list but the office list, which
  // FillOfficeList fills, and the lists the cascades fill); start-up and the reset share it.
  void FillFixedLists();
  void cmdHelp_Click();
  void cmdEND_Click();
  void lblAboutus_Click();

  // ---- Season length and calendar
  void TimeControl01();
  void TimeControl02();
  void TimeControl03();
  // The schedule-length step: TimeControl01, 02 or 03 by the crop text; another text, or week
  // texts out of the 16-bit range, leave every field as it was.
  void ScheduleLengthStep();
  void cboFirstyear_Click();
  void TimeControl04();
  // The start date named by cboFirstdate, cboFirstmonth and cboFirstyear; none when the texts
  // name no date.
  std::optional<locale::Date> SeasonStart() const;

  // ---- Location cascade
  // Appends the 17 office texts to cboSamnuk (its items as the window is built, and at a reset).
  void FillOfficeList();
  void cboSamnuk_Click();
  void cboKrongkan_Click();

  // ---- Crop, start date, preparation
  void cboCroptype_Click();
  void cboFirstdate_Click();
  void cboFirstmonth_Click();
  void cboTriamplangKla_Change();
  void cboTriamplangKla_Click();
  void cboLiengklatime_Change();
  void cboLiengklatime_Click();
  void cboTriamplangNaDam_Click();
  void cboTriamplangNaWan_Change();
  void cboTriamplangNaWan_Click();
  void cboSoiltype_Click();
  void cboATokla_Change();
  void cboDeeper_Change();

  // ---- Area groups
  void cboGroup_Change();
  void cboGroup_Click();
  void txtArea2_Change();
  void txtArea2_Click();
  void cmdInputArea_Click();
  void cmdEdit1_Click();
  // The area-entry restart: txtArea2 emptied, txtGroup "1".
  void AreaEntryRestart();
  void FinishAreaEntry();
  // Every group of the season (1 to the cboGroup count) has a stored area the locale's number
  // conversion reads; Compute is enabled only then.
  bool AreasComplete() const;
  // Why Compute must not start with the window as it is (a list the run reads as a whole number
  // beyond 16 bits, a group count outside 1 to 20, a group without a readable area), or none.
  std::optional<std::string> ComputeRefusal() const;

  // ---- Effective-rainfall choice and own rainfall
  void optRe1_Click();
  void optRe2_Click();
  void optAcres1_Click();
  void optAcres2_Click();
  void optAcres3_Click();
  void optUSDA_Click();
  void optRe1_GotFocus();
  void optRe2_GotFocus();
  void optAcres1_GotFocus();
  void optAcres2_GotFocus();
  void optAcres3_GotFocus();
  void optUSDA_GotFocus();
  void optRe01_Click();
  void optRe02_Click();
  void txtRain_Click();
  void txtRain_Change();
  void cmdRe_Click();
  void cmdEdit2_Click();
  void FinishRainEntry();
  // Where the own-rainfall entry starts: the season's first and last month as a run would compute
  // the season now, the counters just before the first month, and the month labels showing them.
  void RainEntryAtFirstMonth();
  // The end of the group-area entry on the rainfall counters: back to 0, except while own
  // rainfall is chosen, whose entry goes on with the month lblMonth shows.
  void RainCountersAfterAreaEntry();
  // Why Compute must not start on own rainfall: a month the season reaches that the entry has
  // not stored (since its last restart), named for the user; none on the station database.
  std::optional<std::string> OwnRainRefusal() const;

  // ---- New computation, Compute
  void cmdRun2_Click();
  void cmdRun_Click();
  // The calculation-sheet layout step of a run: the schedule-length step, then the time axis and
  // the group header blocks of the active workbook's worksheet 2.
  void TimeControl();
  // The two chart sheets and the summary sheet of a run (written by the summary and chart writer).
  void Graph01();
  void Graph02();
  void StartSheet1();
  // The progress window of the run under way; null between runs.
  frmTUVO2* ProgressWindow() const { return progressWindow_.get(); }
  // What the progress window of the last run showed, step by step, until it was unloaded.
  const std::vector<frmTUVO2::Step>& LastRunProgress() const { return lastRunProgress_; }

 private:
  std::vector<controls::Control*> all_;
  MainFields& fields_;
  WindowHost* host_;
  std::unique_ptr<frmTUVO2> progressWindow_;
  std::vector<frmTUVO2::Step> lastRunProgress_;

  // Every control in all_, in creation order, for FindControl and AllControls.
  void RegisterControls();
  // The window caption, the controls' design texts and tooltips, the design's chosen options.
  void ApplyDesign();
  void BuildLayout();
  // The stages of BuildLayout, in its order.
  // Fonts, the blue output labels, the borderless option frames, the option captions' wrap width.
  void StyleControls();
  // The frames of the left column: location, station, crop and the three preparation frames.
  void LayOutLeftColumn();
  // The frames of the middle column: soil to the season's summary.
  void LayOutMiddleColumn();
  // The frames of the right column: rainfall source and entry, the effective-rainfall methods.
  void LayOutRightColumn();
  // The three columns in the window, the button row under them and the About footer.
  void ArrangeWindow();
  void Wire();
  // The controls of the transplanted frames (nursery, transplanted field) and of the wet-seeded
  // frame enabled or disabled.
  void EnablePlantingFrames(bool transplanted, bool wetSeeded);
  // The month labels and the rainfall box of the own-rainfall entry enabled or disabled.
  void EnableRainMonthEntry(bool enabled);

  // The stages of New computation, in the order cmdRun2_Click runs them.
  // The lists unlocked, emptied and refilled; the station rainfall chosen; the rainfall entry locked.
  void UnlockSeasonEntry();
  // The previous season's labels, area entry, group tables and rainfall cleared; the usual rates.
  void ClearSeasonEntries();
  // The rainfall box, its command and the labels cleared again; New computation hidden.
  void ClearEntryLabelsAgain();

  // The stages of Compute, in the order cmdRun_Click runs them; each sets `stage` to the step under
  // way, which a failure message names.
  // The file name's time stamp, the preparation defaults, the output folder; the window hidden.
  void PrepareRun(std::string_view& stage);
  // A new workbook in the held spreadsheet application, or in a new one.
  sheet::Workbook& OpenRunWorkbook(std::string_view& stage);
  // A new progress window shown, what the last one showed forgotten.
  Progress& LoadProgressWindow();
  // The calculation sheet's formatting, title rows, time axis and group headers.
  void WriteCalcSheetFrame(sheet::Workbook& workbook, Progress& progress, std::string_view& stage);
  // The two group passes (nursery and preparation, crop weeks and Kc), then the day calendar.
  void FillGroupsAndCalendar(const SeasonTexts& texts, sheet::Workbook& workbook, Progress& progress,
                             std::string_view& stage);
  // The water columns from ETo to gross water, with the day calendar's second pass among them.
  void WriteWaterColumns(const SeasonTexts& texts, sheet::Workbook& workbook, Progress& progress,
                         std::string_view& stage);
  // The colour and frame pass, the two chart sheets, the final sheet names and the summary sheet.
  void FinishResultSheets(sheet::Workbook& workbook, Progress& progress, std::string_view& stage);
  // The wait for the converter, the progress window unloaded, the workbook saved (or discarded).
  void SaveRunResult(sheet::Workbook& workbook, std::string_view& stage);
  // The progress window unloaded, what it showed kept; nothing when none is loaded.
  void UnloadProgressWindow();
  // After a failure: the unsaved workbook closed, the window handed back, the failure reported.
  void EndFailedRun(sheet::Workbook* workbook, std::string_view stage, const std::optional<std::string>& reason,
                    const std::string& failure);

 public:
  // ---- Controls, by frame (declared in creation order: a frame before what it holds)
  controls::Frame Frame1;
  controls::Label Label14;
  controls::ComboBox cboSamnuk;
  controls::Label Label15;
  controls::ComboBox cboKrongkan;
  controls::Label Label16;
  controls::ComboBox cboFai;

  controls::Frame Frame13;
  controls::ComboBox cboProvince;

  controls::Frame Frame11;
  controls::ComboBox cboCroptype;

  controls::Frame Frame5;
  controls::Label Label5;
  controls::ComboBox cboTriamplangKla;
  controls::Label Label22;
  controls::ComboBox cboLiengklatime;
  controls::Label Label18;
  controls::ComboBox cboATokla;
  controls::Label Label11;
  controls::ComboBox cboTriamdinkla;
  controls::Label Label12;
  controls::ComboBox cboLiengkla;

  controls::Frame Frame3;
  controls::Label Label19;
  controls::ComboBox cboTriamplangNaDam;
  controls::Label Label20;
  controls::ComboBox cboNadam1;

  controls::Frame Frame21;
  controls::Label Label25;
  controls::ComboBox cboTriamplangNaWan;
  controls::Label Label21;
  controls::ComboBox cboStop;
  controls::Label Label33;
  controls::ComboBox cboNawan1;

  controls::Frame Frame6;
  controls::Label Label7;
  controls::ComboBox cboSoiltype;
  controls::Label Label10;
  controls::ComboBox cboDeeper;

  controls::Frame Frame22;
  controls::ComboBox cboEfficiency;

  controls::Frame Frame9;
  controls::Label Label28;
  controls::ComboBox cboGroup;

  controls::Frame Frame10;
  controls::ComboBox cboFirstdate;
  controls::ComboBox cboFirstmonth;
  controls::ComboBox cboFirstyear;

  controls::Frame Frame2;
  controls::Frame Frame18;
  controls::Label Label6;
  controls::TextBox txtGroup;
  controls::TextBox txtArea2;
  controls::CommandButton cmdInputArea;
  controls::CommandButton cmdEdit1;

  controls::Frame Frame17;
  controls::Label Label4;
  controls::Label lblweek;
  controls::Label Label34;
  controls::Label lblFirst;
  controls::Label Label36;
  controls::Label lbllast;

  controls::Frame Frame7;
  controls::Frame Frame4;
  controls::OptionButton optRe01;
  controls::Frame Frame19;
  controls::OptionButton optRe02;
  controls::Label Label3;
  controls::Label Label13;
  controls::Label Label2;
  controls::Label Label17;
  controls::Label Label9;
  controls::Label lblMonth;
  controls::TextBox txtRain;
  controls::CommandButton cmdRe;
  controls::CommandButton cmdEdit2;

  controls::Frame Frame12;
  controls::Frame Frame14;
  controls::OptionButton optRe1;
  controls::Frame Frame15;
  controls::OptionButton optRe2;
  controls::Frame Frame8;
  controls::OptionButton optUSDA;
  controls::Frame Frame16;
  controls::Label Label1;
  controls::OptionButton optAcres1;
  controls::OptionButton optAcres2;
  controls::OptionButton optAcres3;

  controls::CommandButton cmdRun;
  controls::CommandButton cmdRun2;
  controls::CommandButton cmdEND;
  controls::CommandButton cmdHelp;

  controls::Label lblAboutus;
};

// The Thai month abbreviations of MonthAbbrev, elements 0 to 13 (0 empty, 13 repeats December).
const std::array<std::string, 14>& MonthAbbrevTable();

}  // namespace tuvo
