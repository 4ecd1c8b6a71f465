// A workbook: its sheets in order, the active sheet and its selection, saving and closing.
#pragma once

#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/worksheet.h"
#include "platform/sheet/saved_file.h"

namespace tuvo::sheet {

class Application;

class Workbook {
 public:
  // A new workbook of three worksheets "Sheet1", "Sheet2", "Sheet3", "Sheet1" active with A1
  // selected. Made by Application::Workbooks().Add().
  Workbook(Application& application, std::string name);
  ~Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  Application& Parent() const { return *application_; }

  // The workbook's name: "Book1" until saved, then the file's name.
  const std::string& Name() const { return name_; }
  // The saved file's full path; empty until saved.
  const std::string& FullName() const { return path_; }
  // When the workbook was made; its files carry this time.
  std::time_t Created() const { return created_; }

  // Every sheet, worksheets and chart sheets, in order: by name (without regard to case) or by
  // 1-based position. A name or position that is not there throws SheetError.
  Sheet& Sheets(std::string_view name);
  Sheet& Sheets(int position);
  int SheetCount() const;

  // The worksheets alone, in order, by 1-based index or by name.
  Worksheet& Worksheets(int index);
  Worksheet& Worksheets(std::string_view name);
  int WorksheetCount() const;

  // A new chart sheet in front of the active sheet, named "Chart1", "Chart2", ... in order of
  // creation; it becomes the active sheet.
  Chart& AddChart();

  Sheet& ActiveSheet();
  // The active sheet as a chart; throws SheetError when a worksheet is active.
  Chart& ActiveChart();
  // The selection of the active sheet; throws SheetError when a chart sheet is active.
  Range Selection();

  // Saves in the normal workbook format (xl::Normal, .xls) under `path` through the application's
  // saver, replacing a file of that name; the workbook takes the file's name. Failures throw
  // SheetError and leave any older file of that name as it was. A visible application then shows
  // the saved file.
  void SaveAs(const std::string& path, int fileFormat = xl::Normal);
  // Saves again under the name of the last SaveAs; a workbook never saved throws SheetError.
  void Save();
  // Closes the workbook (saving first when asked) and the window that shows it. Later use of the
  // workbook or its sheets throws SheetError.
  void Close(bool saveChanges = false);
  bool IsOpen() const { return open_; }

  // Throws SheetError when the workbook was closed.
  void CheckOpen() const;

  // The sheets in order (the saver and tests).
  std::vector<const Sheet*> SheetList() const;

 private:
  friend class Sheet;
  int PositionOf(const Sheet& sheet) const;  // 0-based
  void ActivateSheet(Sheet& sheet);
  void MoveSheet(Sheet& sheet, Sheet& after);
  void DeleteSheet(Sheet& sheet);

  Application* application_;
  std::string name_;
  std::string path_;
  std::vector<std::unique_ptr<Sheet>> sheets_;
  std::vector<std::unique_ptr<Sheet>> deleted_;  // kept so that stale references fail cleanly
  Sheet* active_ = nullptr;
  int chartsAdded_ = 0;
  bool open_ = true;
  std::time_t created_;
  SavedFile lastSave_;  // what the last save placed, so that saving it again unchanged converts nothing
};

}  // namespace tuvo::sheet
