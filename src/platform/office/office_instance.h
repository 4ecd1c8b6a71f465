// One warm LibreOffice instance of the program's own: its process group, its private folder
// (profile and work files) and UNO pipe, a connection to it, and its watchdog. Every request runs
// with a deadline on a worker thread; at the deadline the converter is ended, which also ends the
// blocked request, while the viewer is only given up on. Requests of one instance come from one
// thread at a time (the office service sees to it), but for looks, which may run beside them; a
// look is not asked again while an earlier one that passed its deadline still runs.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/types.h>

#include "platform/office/office_watchdog.h"
#include "platform/office/uno_client.h"

namespace tuvo::office {

// How long the requests to an instance may take.
struct OfficeTimeouts {
  std::chrono::milliseconds start{60000};      // starting the process, connecting and warming up, in all
  std::chrono::milliseconds startWait{15000};  // how long a save waits for a converter still starting
  std::chrono::milliseconds convert{10000};    // one conversion through a warm converter
  std::chrono::milliseconds window{5000};      // showing, asking after and closing a window
  std::chrono::milliseconds watchCount{10000};  // one count of the viewer's windows by its watchdog,
                                                // before its connection counts as broken
};

// What went wrong with an instance.
class OfficeError : public std::runtime_error {
 public:
  enum class Kind {
    Missing,       // the program cannot be started
    NotAnswering,  // a request passed its deadline; the instance was ended
    Failed,        // the instance died or refused the request
  };
  OfficeError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

class OfficeInstance {
 public:
  // The converter runs headless, under an owner-only umask, and may be ended at any time; the
  // viewer is invisible until it shows a workbook, and once it may show a window, its own or one
  // the user opened in it, the program never ends it: its watchdog does, once it shows none.
  enum class Role { Converter, Viewer };

  OfficeInstance(Role role, std::string program, OfficeTimeouts timeouts);
  // Lets go of the instance (Release), unless it was ended.
  ~OfficeInstance();
  OfficeInstance(const OfficeInstance&) = delete;
  OfficeInstance& operator=(const OfficeInstance&) = delete;

  // Starts the process, connects to it and warms it up within `deadline` in all (the start
  // deadline when none); throws OfficeError, and leaves nothing of the instance running then.
  void Start(std::optional<std::chrono::milliseconds> deadline = std::nullopt);
  // Converts `xlsx` to the .xls file `xls` within `deadline` (the conversion deadline when none);
  // throws OfficeError.
  void Convert(const std::filesystem::path& xlsx, const std::filesystem::path& xls,
               std::optional<std::chrono::milliseconds> deadline = std::nullopt);
  // Shows `file` in a window; throws OfficeError.
  uno::DocumentId Show(const std::filesystem::path& file);
  // Closes the document's window; a window the user closed already is no failure.
  void Close(uno::DocumentId document);
  // Whether the document's window is open; false when the instance does not answer in time.
  bool IsOpen(uno::DocumentId document);
  // Closes the start window the viewer puts up when the user closes its last workbook window;
  // may run beside the other requests.
  void CloseStartWindows();

  // Ends the process group at once and removes its sockets and folder: for an instance that failed
  // or shows nothing yet.
  void End();
  // Lets go of the instance: its watchdog ends it, the converter at once (asked over UNO to
  // terminate, by signals when it does not), the viewer once it shows no window.
  void Release();
  // Makes a Start under way on another thread give up at once (the program is ending).
  void Abort();
  // Whether the instance's process runs and no request of it passed its deadline; asks nothing.
  bool Usable() const;

  pid_t Process() const { return pid_.load(); }
  const std::string& PipeName() const { return pipeName_; }
  // Where the instance stores the conversions of the program.
  std::filesystem::path WorkFolder() const { return folder_ / "work"; }

 private:
  template <typename Request>
  auto Call(std::chrono::milliseconds deadline, const char* what, Request request, bool looking = false);
  void Connect(std::chrono::steady_clock::time_point until);
  void StartWatchdog();

  Role role_;
  std::string program_;
  OfficeTimeouts timeouts_;
  std::filesystem::path folder_;
  std::string pipeName_;
  std::atomic<pid_t> pid_{-1};
  std::atomic<bool> aborted_{false};
  OfficeWatchdog watchdog_;
  std::vector<std::filesystem::path> sockets_;  // the office's own, as seen once it accepted
  std::shared_ptr<uno::Connection> connection_;
  std::atomic<bool> broken_{false};  // a request of the viewer passed its deadline
  bool shown_ = false;               // the viewer was asked to show a window
  // Set while a look that passed its deadline still runs: a viewer that hangs is not asked again
  // meanwhile, so that no thread piles up behind another.
  std::shared_ptr<std::atomic<bool>> lookHung_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace tuvo::office
