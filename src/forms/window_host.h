// What the program's windows ask of the application around them: the window swaps and the end.
#pragma once

namespace tuvo {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Shows the About box, then closes the main window (its fields stay).
  virtual void ShowAboutBox() = 0;
  // Shows a freshly loaded main window, then closes the About box.
  virtual void CloseAboutBox() = 0;
  // Ends the program at once, closing and saving nothing.
  virtual void EndProgram() = 0;
};

}  // namespace tuvo
