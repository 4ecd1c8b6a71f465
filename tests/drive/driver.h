// The scenario driver: plays scenario steps on the program's real windows as a user would, and
// reports what the program showed and saved.
//
// - Message boxes the program shows (modal or not) are answered with their default button and
//   printed as "message: TEXT".
// - After every step, each file that appeared or changed in the output folder ($HOME/TUVO_Output)
//   is printed as "saved: PATH"; the saves write a hidden temporary name first, which is skipped.
// - A step that fails prints "line N: WHAT" and ends the scenario.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "drive/scenario.h"

namespace tuvo {
class TuvoApp;
namespace controls {
class Control;
}
}  // namespace tuvo

namespace tuvo::drive {

class MessageCatcher;

class Driver {
 public:
  // Opens the program's main window on the current Qt platform; reports go to `out`.
  explicit Driver(std::ostream& out);
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Runs one step; why it failed, or none.
  std::optional<std::string> Run(const Step& step);
  // Runs the steps in order up to the first failure, which is printed; 0 when all succeeded, else 1.
  int RunAll(const std::vector<Step>& steps);

  TuvoApp& App() { return *app_; }
  // Whether the program was ended (the End command); later steps fail.
  bool Ended() const { return ended_; }
  // The control of that name in the window shown (the main window, else the About box), or null.
  controls::Control* Find(const std::string& name) const;

 private:
  // A file of the output folder as it stood before a step.
  struct FileMark {
    unsigned long long inode = 0;
    long long modified = 0;  // nanoseconds
    long long size = 0;
    bool operator==(const FileMark&) const = default;
  };
  using FolderMarks = std::map<std::string, FileMark>;

  std::optional<std::string> Act(const Step& step);
  // Lets the program's posted work run: answers to message boxes, closing windows, deletions.
  void Settle();
  FolderMarks MarkOutputFolder() const;
  void ReportSaves(const FolderMarks& before);

  std::ostream& out_;
  std::unique_ptr<TuvoApp> app_;
  std::unique_ptr<MessageCatcher> catcher_;
  bool ended_ = false;
};

// The tool as a whole: reads the scenario file and runs it, reporting to `out`. Returns the exit
// status: 0 every step succeeded, 1 a step failed or a line is malformed, 2 the file is unreadable.
int RunScenarioFile(const std::string& path, std::ostream& out);

}  // namespace tuvo::drive
