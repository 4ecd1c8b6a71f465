// The progress steps a run reports. The progress window implements it; tests record the values.
#pragma once

namespace tuvo {

class Progress {
 public:
  virtual ~Progress() = default;
  // One progress step: the bar to `value` and the text "<value> % Completed".
  virtual void ShowProgress(int value) = 0;
  // The bar alone (the text stays), as after each group of the first group pass.
  virtual void SetBar(double value) = 0;
};

}  // namespace tuvo
