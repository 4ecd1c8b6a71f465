// The windows that show saved workbooks: one LibreOffice Calc process per workbook, each with its
// own profile folder, so that closing a workbook closes exactly its window.
#pragma once

#include <map>
#include <memory>
#include <string>

namespace tuvo::sheet {

class Workbook;

class Viewer {
 public:
  Viewer();
  ~Viewer();  // closes every window
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  // Shows the saved file of the workbook unless a window of ours shows it already. Without a
  // display or without LibreOffice nothing is shown; that is no failure.
  void Show(const Workbook& workbook, const std::string& program);
  // Closes the workbook's window, whether or not it is still open.
  void Close(const Workbook& workbook);
  bool IsShowing(const Workbook& workbook) const;

  // Whether windows can be shown at all: a display that is not the offscreen one.
  static bool HasDisplay();

 private:
  struct Window;
  std::map<const Workbook*, std::unique_ptr<Window>> windows_;
};

}  // namespace tuvo::sheet
