// Reset for a new computation: the finished run's workbook and spreadsheet application are let go
// and the window goes back to the state for entering a new season.
#include "forms/frmTUVO.h"
#include "forms/frmTUVO_shared.h"

#include <exception>
#include <memory>
#include <string>

#include "platform/controls.h"
#include "platform/sheet/sheet.h"

namespace tuvo {

namespace {

using controls::ComboBox;

// Every element of the table emptied, over the table's own size.
template <typename Table>
void ClearTable(Table& table) {
  for (auto& element : table) element.clear();
}

// The finished run's workbook closed without saving and its application quit and let go of, so
// that the next run starts a new one. What is gone already (the user closed the workbook or the
// spreadsheet, a run without a crop discarded its workbook and quit, a failed run closed its
// workbook) is skipped: the window must come back ready for a new season either way.
void LetGoOfSpreadsheet(std::shared_ptr<sheet::Application>& app) {
  if (app) {
    try {
      if (!app->HasQuit()) {
        if (app->Workbooks().Count() > 0) app->ActiveWorkbook().Close(false);
      }
    } catch (const std::exception&) {
      // A workbook that cannot be closed is still closed by the Quit below.
    }
    try {
      if (!app->HasQuit()) app->Quit();
    } catch (const std::exception&) {
      // Nothing of it is kept: the application is let go of below.
    }
  }
  app.reset();
}

}  // namespace

// New computation: the spreadsheet is let go of, the lists are unlocked and refilled, the
// previous season's entries, labels and tables are cleared, and Compute waits for a new entry.
void frmTUVO::cmdRun2_Click() {
  // Whatever ends the reset early, the buttons end as a new season needs them.
  struct FinalButtons {
    frmTUVO& frm;
    ~FinalButtons() {
      frm.cmdRun.SetEnabled(false);
      frm.cmdRun.SetVisible(true);
      frm.cmdRun2.SetEnabled(false);
      frm.cmdRun2.SetVisible(false);
    }
  } finalButtons{*this};

  try {
    // Help is offered again.
    cmdHelp.SetEnabled(true);

    // The finished run's workbook and spreadsheet let go of; the saved workbook is not saved again.
    LetGoOfSpreadsheet(fields_.ExcelApp);

    UnlockSeasonEntry();
    ClearSeasonEntries();
    ClearEntryLabelsAgain();
  } catch (const std::exception&) {
    // An unforeseen failure ends the reset here; the buttons are set on the way out.
  }
}

// The lists open for a new season, emptied and refilled; the rainfall entry waits for its turn.
void frmTUVO::UnlockSeasonEntry() {
  // The lists unlocked; the rainfall box and the rainfall commands wait for their turn.
  for (ComboBox frmTUVO::*list : kSeasonLists) (this->*list).SetEnabled(true);
  txtRain.SetEnabled(false);
  cmdRe.SetEnabled(false);
  cmdEdit2.SetEnabled(false);

  // Back to the station rainfall, the choice locked until a start year is picked.
  optRe01.SetValue(true);
  optRe01.SetEnabled(false);
  optRe02.SetEnabled(false);

  // Every list emptied; the fixed ones filled again, the others wait for their cascades.
  for (ComboBox frmTUVO::*list : kSeasonLists) (this->*list).Clear();
  FillFixedLists();
  FillOfficeList();
}

// What the previous season left in the fields, labels and tables, back to a new season's start.
void frmTUVO::ClearSeasonEntries() {
  MainFields& f = fields_;

  // The previous season's group, summary and month labels and rainfall text cleared; the area
  // entry open and empty.
  txtGroup.SetText("?");
  for (controls::Label* label : {&lblFirst, &lbllast, &lblweek, &lblMonth}) label->SetCaption("?");
  txtRain.SetText("");
  Label13.SetCaption("?");
  Label17.SetCaption("?");
  txtArea2.SetEnabled(true);
  txtArea2.SetText("");

  // The group areas and labels cleared; the run's other per-group work values live only within
  // its column steps.
  ClearTable(f.GroupArea);
  ClearTable(f.GroupLabel);

  // The rainfall box open and empty.
  txtRain.SetEnabled(true);
  txtRain.SetText("");

  // The station's and the effective monthly rainfall cleared, the rainfall entry's month
  // counters back to 0.
  ClearMonths(f.Rain.StationMonthRain);
  ClearEffRainMonths(f.Rain);
  f.Rain.EffRainMonth = 0;
  f.RainEntryLastMonth = 0;
  f.RainEntryMonth = 0;

  // The usual percolation rate and nursery ratio, as their checks accept them.
  cboDeeper.SetEnabled(true);
  cboDeeper.SetText("2");
  cboATokla.SetEnabled(true);
  cboATokla.SetText("15");
}

// The rainfall box, its command, the labels and the group once more, in case a handler raised by
// the steps before changed them; New computation hidden.
void frmTUVO::ClearEntryLabelsAgain() {
  txtRain.SetEnabled(true);
  txtRain.SetText("");
  cmdRe.SetEnabled(false);
  lblMonth.SetCaption("?");
  lblweek.SetCaption("?");
  txtGroup.SetText("?");
  Label13.SetCaption("?");
  Label17.SetCaption("?");
  cmdRun2.SetVisible(false);
}

}  // namespace tuvo
