// The Compute run: the checks before it starts, then the run from the first title row to the
// saved workbook, calling the other writers at their fixed points. A failure ends the run and
// hands the window back ready for a new computation.
#include "forms/frmTUVO.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "calcsheet/time_control.h"
#include "eto/select_station_eto.h"
#include "forms/frmTUVO2.h"
#include "forms/frmTUVO_shared.h"
#include "forms/save_failure_text.h"
#include "platform/locale.h"
#include "platform/office/office_service.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "platform/xls/office_application.h"
#include "rain/eff_rain_column.h"
#include "report/charts.h"
#include "report/summary_sheet.h"
#include "run/calendar_sheet.h"
#include "run/crop_weeks.h"
#include "run/group_schedule.h"
#include "run/run_driver.h"
#include "run/summary_columns.h"

namespace tuvo {

namespace {

// What the user is told when Compute refuses to start or a run fails.
constexpr std::string_view NoEfficiencyText =
    "กรุณาเลือกประสิทธิภาพการชลประทาน (%) ก่อนคำนวณ";
constexpr std::string_view NoClimateDataText = "ไม่มีข้อมูลภูมิอากาศของจังหวัดที่ปลูกข้าว";
constexpr std::string_view RunFailedText = "การคำนวณไม่สำเร็จ ขั้นตอนที่ล้มเหลว: ";
constexpr std::string_view NothingSavedText = "ไม่ได้บันทึกไฟล์ผลการคำนวณ";

// The stages of a run, as the failure message names them.
constexpr std::string_view StageDefaults = "ใส่ค่าเริ่มต้นของการเตรียมแปลง";
constexpr std::string_view StageOutputFolder = "สร้างโฟลเดอร์เก็บผลการคำนวณ";
constexpr std::string_view StageWorkbook = "เปิดสมุดงานใหม่";
constexpr std::string_view StageTitles = "จัดรูปแบบและหัวเรื่องตารางคำนวณ";
constexpr std::string_view StageLayout = "สร้างแกนเวลาและหัวตารางของกลุ่มพื้นที่";
constexpr std::string_view StageGroups = "คำนวณพื้นที่และน้ำตกกล้าและเตรียมแปลงของแต่ละกลุ่ม";
constexpr std::string_view StageCropWeeks = "คำนวณพื้นที่ปลูกและค่า Kc ของแต่ละกลุ่ม";
constexpr std::string_view StageCalendar = "สร้างปฏิทินรายวัน";
constexpr std::string_view StageAreaColumns = "คำนวณค่า ETo พื้นที่สะสม และปริมาณน้ำเตรียมแปลง";
constexpr std::string_view StageCropUse = "คำนวณปริมาณการใช้น้ำของข้าวและการซึมลึก";
constexpr std::string_view StageEffRain = "คำนวณปริมาณฝนใช้การ";
constexpr std::string_view StageNetGross = "คำนวณปริมาณน้ำสุทธิและน้ำทั้งหมดที่ต้องส่ง";
constexpr std::string_view StageColours = "ตกแต่งสีและเส้นกรอบตาราง";
constexpr std::string_view StageCharts = "สร้างกราฟ";
constexpr std::string_view StageSummary = "สร้างหน้าสรุป";
constexpr std::string_view StageSave = "บันทึกไฟล์ผลการคำนวณ";

// The failed step; what went wrong, in Thai with its path, when the failure has a kind; whether
// nothing was saved; the technical text last, on its own line. A failure without a kind (a
// step's logic error, say) has no Thai line of its own: the step and the technical text tell it.
std::string RunFailureMessage(std::string_view stage, const std::optional<std::string>& reason, bool saved,
                              const std::string& technical) {
  std::string text = std::string(RunFailedText) + std::string(stage);
  if (reason) text += "\n" + *reason;
  if (!saved) text += "\n" + std::string(NothingSavedText);
  return text + "\n" + technical;
}

// A note over the main window that does not hold up the program.
void ShowRunMessage(frmTUVO& frm, const char* objectName, const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(frmTUVO::Caption),
                              QString::fromStdString(text), QMessageBox::Ok, &frm);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setObjectName(objectName);
  box->setModal(false);
  box->show();
}

// Why Compute must not start with the window as it is, or none: an efficiency the gross column
// would divide by zero with, a station without climate tables, an input the run cannot read, a
// month of the season without the user's rainfall.
std::optional<std::string> RunRefusal(const frmTUVO& frm) {
  if (!EfficiencyChosen(frm)) return std::string(NoEfficiencyText);
  if (!HasStationETo(frm.cboProvince.Text())) {
    return std::string(NoClimateDataText) + " \"" + frm.cboProvince.Text() + "\"";
  }
  if (std::optional<std::string> refusal = frm.ComputeRefusal()) return refusal;
  return frm.OwnRainRefusal();
}

// The list of that name.
controls::ComboBox& List(frmTUVO& frm, std::string_view name) {
  auto* list = dynamic_cast<controls::ComboBox*>(frm.FindControl(name));
  if (list == nullptr) throw std::logic_error("no list named " + std::string(name));
  return *list;
}

// Defaults into the empty preparation lists of the crop's planting system, one after the other,
// each write running its Change handler. The week lists' handlers restart the area entry; the
// finished entry is put back as it was, without the field check's beep, because the summary
// sheet lists as many groups as txtGroup names.
void WritePreparationDefaults(frmTUVO& frm) {
  const std::string crop = frm.cboCroptype.Text();
  const bool transplanted = crop == RDTransplanted || crop == KDML105Transplanted;
  const std::span<const PreparationDefault> defaults =
      transplanted ? std::span<const PreparationDefault>(TransplantedDefaults)
                   : std::span<const PreparationDefault>(WetSeededDefaults);

  struct KeepAreaEntry {
    frmTUVO& frm;
    std::string group = frm.txtGroup.Text();
    std::string area = frm.txtArea2.Text();
    controls::Handler areaChange = std::exchange(frm.txtArea2.Change, nullptr);
    ~KeepAreaEntry() {
      frm.txtGroup.SetText(group);
      frm.txtArea2.SetText(area);
      frm.txtArea2.Change = std::move(areaChange);
    }
  } keep{frm};

  for (const PreparationDefault& d : defaults) {
    controls::ComboBox& list = List(frm, d.list);
    if (NeedsDefault(list.Text())) list.SetText(d.text);
  }
}

// The column steps work on a copy of the window's fields and hand it back after each step.
ColumnFields ColumnFieldsOf(const MainFields& f) {
  ColumnFields c;
  c.weeks = f;
  c.WeekRowCount = f.WeekRowCount;
  c.ScheduleWeeks = f.ScheduleWeeks;
  c.PercolationRate = f.PercolationRate;
  c.EfficiencyPercent = f.EfficiencyPercent;
  return c;
}

void KeepColumnFields(MainFields& f, const ColumnFields& c) {
  static_cast<WeekFields&>(f) = c.weeks;
  f.WeekRowCount = c.WeekRowCount;
  f.ScheduleWeeks = c.ScheduleWeeks;
  f.PercolationRate = c.PercolationRate;
  f.EfficiencyPercent = c.EfficiencyPercent;
}

// The window after a run, finished or failed: shown, every list locked, New computation in
// the place of Compute.
void HandBackWindow(frmTUVO& frm) {
  frm.show();
  frm.cmdRun2.SetVisible(true);
  frm.cmdRun2.SetEnabled(true);
  frm.cmdRun.SetVisible(false);
}

// The area and rainfall edits and Help locked once a run has ended, finished or failed: the
// season stays as it was run until New computation.
void LockSeasonEdits(frmTUVO& frm) {
  frm.cmdEdit1.SetEnabled(false);
  frm.cmdEdit2.SetEnabled(false);
  frm.cmdHelp.SetEnabled(false);
}

// Waits while the program's converter, which this application saves through, is still starting,
// at most the service's start wait, and not at all while the one-shot serves; the window keeps
// painting meanwhile.
void WaitForConverterStart(const sheet::Application& app) {
  const xls::OfficeApplication* application = xls::OfficeApplication::Of(app);
  office::OfficeService* service = application != nullptr ? application->Office().ServiceOfProgram() : nullptr;
  if (service == nullptr) return;
  while (!service->WaitForConverterStart(std::chrono::milliseconds{50})) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

// The progress window of the run under way.
Progress& RunProgress(const frmTUVO& frm) {
  if (frm.ProgressWindow() == nullptr) throw std::logic_error("no run is under way");
  return *frm.ProgressWindow();
}

// The workbook of the run under way.
sheet::Workbook& RunWorkbook(const frmTUVO& frm) {
  if (!frm.Fields().ExcelApp) throw std::logic_error("no spreadsheet application is held");
  return frm.Fields().ExcelApp->ActiveWorkbook();
}

}  // namespace

// Compute.
void frmTUVO::cmdRun_Click() {
  if (const std::optional<std::string> refusal = RunRefusal(*this)) {
    ShowRunMessage(*this, "RunRefusal", *refusal);
    return;
  }

  std::string_view stage = StageDefaults;
  sheet::Workbook* workbook = nullptr;
  std::string failure;
  std::optional<std::string> reason;
  try {
    // Input stays blocked to the end of the run; a failure releases it before it is reported.
    const system::ScopedInputBlock block;

    PrepareRun(stage);
    workbook = &OpenRunWorkbook(stage);
    Progress& progress = LoadProgressWindow();
    WriteCalcSheetFrame(*workbook, progress, stage);

    // The lists are locked from here on: one reading serves every later step.
    const SeasonTexts texts = Texts();

    FillGroupsAndCalendar(texts, *workbook, progress, stage);
    WriteWaterColumns(texts, *workbook, progress, stage);
    FinishResultSheets(*workbook, progress, stage);
    SaveRunResult(*workbook, stage);

    // The window comes back; input is released as the block ends.
    HandBackWindow(*this);
    return;
  } catch (const std::exception& error) {
    failure = error.what();
    reason = SaveFailureText(error);
  } catch (...) {
    failure = "unknown failure";
  }
  EndFailedRun(workbook, stage, reason, failure);
}

// Before the workbook: what the run names its file by and reads first, and the window put away.
void frmTUVO::PrepareRun(std::string_view& stage) {
  MainFields& f = fields_;

  // The time stamp of the result's file name.
  f.RunTimestamp = locale::RunTimestamp(system::Now());

  // Defaults into the empty preparation lists.
  WritePreparationDefaults(*this);

  // The output folder, created (one level only) where it is missing.
  stage = StageOutputFolder;
  f.OutputFolder = system::OutputFolder().string();
  if (!system::FolderExists(f.OutputFolder)) system::CreateFolder(f.OutputFolder);

  // The window goes out of the way, its lists locked.
  hide();
  cmdRun2.SetVisible(true);
  cmdRun2.SetEnabled(false);
  for (controls::ComboBox frmTUVO::*list : kSeasonLists) (this->*list).SetEnabled(false);
}

// The held spreadsheet application, or a new one when none is held or it was quit.
sheet::Workbook& frmTUVO::OpenRunWorkbook(std::string_view& stage) {
  MainFields& f = fields_;
  stage = StageWorkbook;
  if (!f.ExcelApp || f.ExcelApp->HasQuit()) f.ExcelApp = std::make_shared<xls::OfficeApplication>();
  f.ExcelApp->SetVisible(true);
  return f.ExcelApp->Workbooks().Add();
}

// The progress window, loaded afresh.
Progress& frmTUVO::LoadProgressWindow() {
  lastRunProgress_.clear();
  progressWindow_ = std::make_unique<frmTUVO2>();
  progressWindow_->Show();
  return *progressWindow_;
}

// The calculation sheet up to its frame, before the group passes fill it.
void frmTUVO::WriteCalcSheetFrame(sheet::Workbook& workbook, Progress& progress, std::string_view& stage) {
  MainFields& f = fields_;

  // The calculation sheet's formatting.
  stage = StageTitles;
  FormatCalcSheet(workbook);

  // The title rows: office, project, section, crop and province.
  f.OfficeText = cboSamnuk.Text();
  f.ProjectText = cboKrongkan.Text();
  f.SectionText = cboFai.Text();
  f.CropText = cboCroptype.Text();
  f.ProvinceText = cboProvince.Text();
  WriteTitleRows(workbook, {f.OfficeText, f.ProjectText, f.SectionText, f.CropText, f.ProvinceText});

  // The titles are written: the first progress step.
  progress.ShowProgress(1);

  // The time axis and the group headers, from the nursery preparation and seedling weeks.
  stage = StageLayout;
  f.NurseryPrepWeeks = locale::WholeNumber(cboTriamplangKla.Text());
  f.SeedlingWeeks = locale::WholeNumber(cboLiengklatime.Text());
  TimeControl();
  progress.ShowProgress(8);
}

// The group passes over the week rows, then the day calendar they give.
void frmTUVO::FillGroupsAndCalendar(const SeasonTexts& texts, sheet::Workbook& workbook, Progress& progress,
                                    std::string_view& stage) {
  MainFields& f = fields_;

  // First group pass: nursery and land preparation.
  stage = StageGroups;
  FillNurseryPrepWeeks(texts, f.GroupArea, f, f.SelectedCrop, workbook, progress);

  // Second group pass: crop weeks and Kc.
  stage = StageCropWeeks;
  FillCropWeeks(texts, f.GroupArea, f, f.SelectedCrop, workbook, progress);

  // The day calendar.
  stage = StageCalendar;
  FillCalendarSheet(texts, f.SelectedCrop, f, f, workbook, progress, CalendarPass::First);
}

// The column steps on a copy of the window's fields, handed back after each group of them.
void frmTUVO::WriteWaterColumns(const SeasonTexts& texts, sheet::Workbook& workbook, Progress& progress,
                                std::string_view& stage) {
  MainFields& f = fields_;

  // ETo, accumulated areas, preparation water, crop use and percolation.
  ColumnFields columns = ColumnFieldsOf(f);
  ColumnRun run{workbook, texts, f.Loop, f, columns, progress};
  stage = StageAreaColumns;
  WriteEToColumn(run, StationEToFields{columns.weeks, f.SelectedCrop, f.SelectedStation});
  WriteAreaAndPrepWaterColumns(run);
  stage = StageCropUse;
  WriteCropUseAndPercolationColumns(run);
  KeepColumnFields(f, columns);

  // The day calendar again, over the columns just written.
  stage = StageCalendar;
  FillCalendarSheet(texts, f.SelectedCrop, f, f, workbook, progress, CalendarPass::Second);

  // Effective rainfall from the station's tables or the user's months.
  stage = StageEffRain;
  columns = ColumnFieldsOf(f);
  WriteEffectiveRainColumn(
      run, [&] { FillEffRainColumnStation(texts, f.Rain, f.Loop, workbook, f, columns.WeekRowCount); },
      [&] { FillEffRainColumnUser(texts, f.Rain, f.Loop, workbook, f, columns.WeekRowCount); });

  // Net and gross water.
  stage = StageNetGross;
  WriteNetAndGrossColumns(run);
  KeepColumnFields(f, columns);
}

// The finished calculation sheet decorated, then the sheets made from it.
void frmTUVO::FinishResultSheets(sheet::Workbook& workbook, Progress& progress, std::string_view& stage) {
  MainFields& f = fields_;

  // Colour and frame pass over the season as the lists and SelectedCrop give it.
  stage = StageColours;
  if (f.SelectedCrop == RDTransplanted) TimeControl01();
  else if (f.SelectedCrop == KDML105Transplanted) TimeControl02();
  else if (f.SelectedCrop == RDWetSeeded) TimeControl03();
  ColourAndFramePass(workbook, f.GroupCount, f.ScheduleWeeks, progress);

  // The two chart sheets, the calculation sheet's first cell selected before them.
  stage = StageCharts;
  workbook.Worksheets(2).Cells(1, 1).Select();
  Graph01();
  progress.ShowProgress(88);
  Graph02();
  progress.ShowProgress(91);

  // Final sheet names; the day calendar goes; the summary sheet.
  stage = StageSummary;
  NameCalcSheetAndDropCalendar(*f.ExcelApp, workbook);
  StartSheet1();
  NameSummarySheet(workbook);
}

// The end of a run that went through: the commands locked, the progress window gone, the save.
void frmTUVO::SaveRunResult(sheet::Workbook& workbook, std::string_view& stage) {
  MainFields& f = fields_;

  // The program's converter may still be starting: the save waits for it here, with the
  // progress window up at 100 %.
  WaitForConverterStart(*f.ExcelApp);

  LockSeasonEdits(*this);
  UnloadProgressWindow();

  // Saved under the crop and the time stamp; without a crop nothing is kept.
  stage = StageSave;
  if (f.SelectedCrop.empty()) {
    workbook.Close(false);
    f.ExcelApp->Quit();
  } else {
    SaveResultWorkbook(workbook, OutputFileName(f.OutputFolder, f.SelectedCrop, f.RunTimestamp));
  }
}

// What the progress window showed is kept for LastRunProgress.
void frmTUVO::UnloadProgressWindow() {
  if (progressWindow_) {
    lastRunProgress_ = progressWindow_->Steps();
    progressWindow_.reset();
  }
}

// The run failed; input is free again. Nothing of the unfinished result is kept.
void frmTUVO::EndFailedRun(sheet::Workbook* workbook, std::string_view stage, const std::optional<std::string>& reason,
                           const std::string& failure) {
  UnloadProgressWindow();
  bool saved = false;
  if (workbook != nullptr) {
    try {
      saved = workbook->IsOpen() && !workbook->FullName().empty();
      if (workbook->IsOpen() && !saved) workbook->Close(false);
    } catch (const std::exception&) {
      // the application went away with it
    }
  }
  for (controls::ComboBox frmTUVO::*list : kSeasonLists) (this->*list).SetEnabled(false);
  LockSeasonEdits(*this);
  HandBackWindow(*this);
  ShowRunMessage(*this, "RunFailure", RunFailureMessage(stage, reason, saved, failure));
}

// The schedule-length step, then the calculation sheet's frame; a layout failure ends the run.
void frmTUVO::TimeControl() {
  ScheduleLengthStep();
  fields_.GroupCount = LayOutCalcSheet(Texts(), fields_.ScheduleWeeks, RunWorkbook(*this), RunProgress(*this));
}

// ---- Charts and the summary sheet of the result.

// The delivery chart sheet over the week rows of the calculation sheet.
void frmTUVO::Graph01() {
  const SeasonTexts texts = Texts();
  tuvo::Graph01(ChartRun{RunWorkbook(*this), texts, fields_, fields_.WeekRowCount});
}

// The field-use chart sheet, behind the delivery chart.
void frmTUVO::Graph02() {
  const SeasonTexts texts = Texts();
  tuvo::Graph02(ChartRun{RunWorkbook(*this), texts, fields_, fields_.WeekRowCount});
}

// The summary sheet from the window's lists and fields; it leaves "Sheet1" the active sheet.
void frmTUVO::StartSheet1() {
  MainFields& f = fields_;
  const SeasonTexts texts = Texts();
  tuvo::StartSheet1(SummarySheetRun{
      RunWorkbook(*this), texts,
      SummaryFormTexts{f.OfficeText, f.ProjectText, f.SectionText, f.ProvinceText, f.CropText, f.SelectedCrop},
      f.GroupArea, f.GroupLabel, f.MonthAbbrev, f, f.EfficiencyPercent, f.Rain, f, f.ScheduleWeeks,
      f.GroupCounter, RunProgress(*this)});
}

}  // namespace tuvo
