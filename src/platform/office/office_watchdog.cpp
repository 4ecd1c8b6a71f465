#include "platform/office/office_watchdog.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/process/process.h"

namespace tuvo::office {

namespace fs = std::filesystem;

fs::path OfficeWatchProgram() {
  std::error_code error;
  const fs::path beside = fs::read_symlink("/proc/self/exe", error).parent_path() / "tuvo-office-watch";
  if (!error && fs::exists(beside, error)) return beside;
#ifdef TUVO_BUILD_OFFICE_WATCH
  return TUVO_BUILD_OFFICE_WATCH;
#else
  return beside;
#endif
}

bool OfficeWatchdog::Start(Role role, pid_t office, const std::string& pipeName, const fs::path& folder,
                           std::chrono::milliseconds countDeadline) {
  LetGo();
  shownNoted_ = closedNoted_ = false;
  int ends[2];
  if (office <= 0 || pipe2(ends, O_CLOEXEC) != 0) return false;
  const char* name = role == Role::Converter ? "converter" : role == Role::Viewer ? "viewer" : "window";
  const process::Started started = process::StartProcess(
      OfficeWatchProgram().string(),
      {name, std::to_string(office), pipeName.empty() ? "-" : pipeName, folder.string(),
       std::to_string(countDeadline.count())},
      folder / "watchdog.log", ends[0]);
  close(ends[0]);
  if (started.pid < 0) {
    close(ends[1]);
    return false;
  }
  pid_ = started.pid;
  pipe_ = ends[1];
  return true;
}

void OfficeWatchdog::NoteShown() {
  if (!shownNoted_) shownNoted_ = Note('s');
}

void OfficeWatchdog::NoteClosed() {
  if (!closedNoted_) closedNoted_ = Note('c');
}

bool OfficeWatchdog::Note(char note) { return pipe_ >= 0 && write(pipe_, &note, 1) == 1; }

void OfficeWatchdog::LetGo() {
  if (pipe_ >= 0) close(pipe_);
  pipe_ = -1;
  process::ReapInBackground(pid_);
  pid_ = -1;
}

}  // namespace tuvo::office
