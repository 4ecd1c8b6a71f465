// The windows that show saved workbooks, as the application opens, closes and asks after them;
// the model draws no window of its own.
#pragma once

namespace tuvo::sheet {

class Workbook;

class WorkbookWindows {
 public:
  virtual ~WorkbookWindows() = default;

  // Shows the workbook's saved file unless our window shows it already; where nothing can be
  // shown (no display, no program to show it) nothing is, and that is no failure.
  virtual void Show(const Workbook& workbook) = 0;
  // Closes the workbook's window, whether or not it was opened and whether or not it is still open.
  virtual void Close(const Workbook& workbook) = 0;
  // Closes every window.
  virtual void CloseAll() = 0;
  // Whether our window of the workbook is open (the user may have closed it).
  virtual bool IsShowing(const Workbook& workbook) const = 0;
};

}  // namespace tuvo::sheet
