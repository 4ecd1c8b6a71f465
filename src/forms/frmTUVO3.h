// The About box: title, credits and the close button that brings the main window back.
#pragma once

#include <QWidget>

#include "forms/window_host.h"
#include "platform/controls.h"

namespace tuvo {

class frmTUVO3 : public QWidget {
 public:
  static constexpr const char* Caption = "About TUVO";

  // `host` may be null (a box on its own): then Command1 only closes the box.
  explicit frmTUVO3(WindowHost* host = nullptr, QWidget* parent = nullptr);

  void Command1_Click();

  controls::Label Label1;  // title lines
  controls::Label Label2;
  controls::Label Label3;
  controls::Label Label5;  // what the program does
  controls::Label Label4;  // "by" and the makers
  controls::Label Label6;
  controls::Label Label7;  // advisers and reviewers
  controls::Label Label8;
  controls::Label Label9;  // contact
  controls::CommandButton Command1;

 private:
  WindowHost* host_;
};

}  // namespace tuvo
