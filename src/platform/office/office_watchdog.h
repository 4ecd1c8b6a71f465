// The program's side of an office's watchdog (tuvo-office-watch): a process of its own that reads
// a pipe from us and acts once we close it, whether we let go of the office, ended, or were
// killed. It ends the office as its role says, then removes the office's sockets and folder.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include <sys/types.h>

namespace tuvo::office {

class OfficeWatchdog {
 public:
  // What the watchdog does once we let go: ends a converter; ends a viewer once it shows no
  // document window. A window (an office of its own showing one workbook) with a UNO pipe is ended
  // once it shows no document window, after it showed one or the program closed its workbook in
  // it; one without a pipe is left to the user.
  enum class Role { Converter, Viewer, Window };

  OfficeWatchdog() = default;
  ~OfficeWatchdog() { LetGo(); }
  OfficeWatchdog(const OfficeWatchdog&) = delete;
  OfficeWatchdog& operator=(const OfficeWatchdog&) = delete;

  // Starts watching the office's process group, with its UNO pipe (none: empty) and its folder
  // (its profile in "profile"); a count of a viewer's windows may take `countDeadline` before its
  // connection counts as broken. False when the watchdog cannot start.
  bool Start(Role role, pid_t office, const std::string& pipeName, const std::filesystem::path& folder,
             std::chrono::milliseconds countDeadline);
  // Tells the watchdog that the office may show a window from now on: a viewer that never did
  // holds nothing of the user's.
  void NoteShown();
  // Tells a window's watchdog that the program is done with the workbook it showed: what the
  // office shows from now on is the user's alone, and once it shows nothing it may go, also if it
  // never got as far as showing the workbook.
  void NoteClosed();
  // Hands the office over to the watchdog, which is reaped in the background.
  void LetGo();
  bool Watching() const { return pid_ > 0; }

 private:
  // Writes the note to the watchdog once; whether it was written.
  bool Note(char note);

  pid_t pid_ = -1;
  int pipe_ = -1;  // its input's write end
  bool shownNoted_ = false;
  bool closedNoted_ = false;
};

// The program that watches the offices: beside the program, else in the build tree.
std::filesystem::path OfficeWatchProgram();

}  // namespace tuvo::office
