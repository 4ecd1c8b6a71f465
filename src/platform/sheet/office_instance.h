// One warm LibreOffice instance of the program's own: its process group, its private folder
// (profile and work files) and UNO pipe, and a connection to it. Every request runs with a
// deadline on a worker thread; at the deadline the converter is ended, which also ends the
// blocked request, while the viewer is only given up on. Requests of one instance come from one
// thread at a time (the office service sees to it).
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <sys/types.h>

#include "platform/sheet/uno_client.h"

namespace tuvo::sheet {

// How long the requests to an instance may take.
struct OfficeTimeouts {
  std::chrono::milliseconds start{60000};    // starting the process and connecting to it
  std::chrono::milliseconds convert{20000};  // one conversion
  std::chrono::milliseconds window{5000};    // showing, asking after and closing a window
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
  // The converter runs headless and may be ended at any time; the viewer is invisible until it
  // shows a workbook and is never ended by force while it shows one.
  enum class Role { Converter, Viewer };

  OfficeInstance(Role role, std::string program, OfficeTimeouts timeouts);
  // Ends the instance unless it shows a window; one that does is left to its watchdog, which
  // ends it once its last window is closed.
  ~OfficeInstance();
  OfficeInstance(const OfficeInstance&) = delete;
  OfficeInstance& operator=(const OfficeInstance&) = delete;

  // Starts the process and connects to it within `deadline` (the start deadline when none);
  // throws OfficeError.
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

  // Ends the process group at once, or after a grace to end on its own.
  void End();
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
  void StartWatchdog();
  void CloseWatchdog();

  Role role_;
  std::string program_;
  OfficeTimeouts timeouts_;
  std::filesystem::path folder_;
  std::string pipeName_;
  std::atomic<pid_t> pid_{-1};
  std::atomic<bool> aborted_{false};
  pid_t watchdog_ = -1;
  int watchdogPipe_ = -1;  // its write end; the watchdog acts once it closes
  std::shared_ptr<uno::Connection> connection_;
  std::atomic<bool> broken_{false};  // a request of the viewer passed its deadline
  int windows_ = 0;
};

// The program that watches the instances once this program is gone: beside the program, else in
// the build tree.
std::filesystem::path OfficeWatchProgram();

}  // namespace tuvo::sheet
