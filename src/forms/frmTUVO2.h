// The progress window of a run: a request to wait, a bar from 0 to 100 and the last value as text.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "season/progress.h"

class QLabel;
class QProgressBar;

namespace tuvo {

class frmTUVO2 : public QWidget, public Progress {
 public:
  static constexpr const char* Caption = "Running TUVO...";
  static constexpr const char* WaitText = "กรุณารอสักครู่  โปรแกรมกำลังคำนวณ...";

  explicit frmTUVO2(QWidget* parent = nullptr);

  // Shows the window centred on the screen and paints it at once.
  void Show();
  // The bar to `value` and the text "<value> % Completed", both repainted at once (the run
  // processes no window messages).
  void ShowProgress(int value) override;
  // The bar alone; the text stays.
  void SetBar(double value) override;

  // The bar's value (it carries fractions such as 8.05).
  double BarValue() const { return bar_; }
  // The text shown in the text area.
  std::string ProgressText() const;

  // What the window showed, step by step, since it was loaded.
  struct Step {
    double bar;
    std::string text;
  };
  const std::vector<Step>& Steps() const { return steps_; }

  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QLabel* Picture1;

 private:
  double bar_ = 0;
  std::vector<Step> steps_;
};

}  // namespace tuvo
