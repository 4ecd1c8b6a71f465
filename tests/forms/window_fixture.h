// A main window on its own fields, shown on the offscreen screen so that user actions work.
#pragma once

#include <QCoreApplication>

#include "forms/frmTUVO.h"
#include "forms/main_fields.h"

namespace tuvo::testing {

inline void ShowNow(QWidget& window) {
  window.show();
  window.activateWindow();
  QCoreApplication::processEvents();
}

struct ShownWindow {
  MainFields fields;
  frmTUVO frm{fields};
  ShownWindow() { ShowNow(frm); }
};

}  // namespace tuvo::testing
