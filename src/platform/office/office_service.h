// The program's office service: two warm LibreOffice instances that outlive the spreadsheet
// applications of the runs. The converter (headless) turns saved .xlsx files into .xls files; the
// viewer (invisible until it shows a workbook, only where there is a display) shows the saved
// workbooks. Both start in the background when the program starts. The spreadsheet applications
// use the service whose program they name; tests that want one install their own.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/office/office_instance.h"

namespace tuvo::office {

// A window the viewer opened: the instance and its document.
struct ShownWindow {
  std::shared_ptr<OfficeInstance> viewer;
  uno::DocumentId document = 0;
};

class OfficeService {
 public:
  explicit OfficeService(std::string program = "soffice", OfficeTimeouts timeouts = {});
  // Lets go of both instances: the converter ends, the viewer once it shows no window; waits for
  // no office.
  ~OfficeService();
  OfficeService(const OfficeService&) = delete;
  OfficeService& operator=(const OfficeService&) = delete;

  // The service the program installed, or none.
  static std::shared_ptr<OfficeService> Current();
  // Installs the program's service (none: uninstalls it).
  static void Install(std::shared_ptr<OfficeService> service);

  // Starts the converter, and the viewer when asked, each on a thread of its own; none when the
  // UNO runtime cannot start (the one-shot conversion serves then).
  void StartInBackground(bool withViewer);

  // The LibreOffice program of the instances.
  const std::string& Program() const { return program_; }
  OfficeTimeouts& Timeouts() { return timeouts_; }

  // Whether the converter is still starting.
  bool ConverterStarting();
  // Waits up to `timeout` for the converter to finish starting; true once it has.
  bool WaitForConverter(std::chrono::milliseconds timeout);
  // Waits up to `timeout` for the viewer to finish starting; true once it has.
  bool WaitForViewer(std::chrono::milliseconds timeout);
  // Waits up to `slice` for a converter still starting, never past its start wait; true when a
  // save need wait no longer: the converter is ready or failed, its start wait is over, or the
  // one-shot serves for now.
  bool WaitForConverterStart(std::chrono::milliseconds slice);

  // Converts `xlsx` to `xls` through the converter, waiting for one still starting at most its
  // start wait. Where there is none ready, or it fails (dies, passes its deadline), `oneShot`
  // converts at once instead, and a new converter starts in the background; until it is ready
  // the one-shot serves and nobody waits. Throws what `oneShot` throws.
  void Convert(const std::filesystem::path& xlsx, const std::filesystem::path& xls,
               const std::function<void()>& oneShot);

  // Shows `file` in the viewer; none when there is no working viewer (the caller shows it
  // otherwise). Throws OfficeError when the viewer fails to show it.
  std::optional<ShownWindow> Show(const std::filesystem::path& file);

  // The instances' processes, -1 when not running (tests).
  pid_t ConverterProcess();
  pid_t ViewerProcess();
  // How many conversions went through the converter and through the one-shot (tests, benchmarks).
  int Conversions() const { return conversions_; }
  int OneShots() const { return oneShots_; }

 private:
  struct Slot {
    std::shared_ptr<OfficeInstance> instance;  // set once started
    std::shared_ptr<OfficeInstance> starting;  // while it starts
    std::thread starter;
  };
  void StartSlot(Slot& slot, OfficeInstance::Role role);
  void JoinSlot(Slot& slot);
  // Waits up to `timeout` for the slot's instance to finish starting; true once it has.
  bool WaitForSlot(const Slot& slot, std::chrono::milliseconds timeout);
  bool TryConverter(const std::filesystem::path& xlsx, const std::filesystem::path& xls);
  // Whether a save need not wait for the converter (mutex_ held).
  bool ConverterWaitOver() const;

  std::string program_;
  OfficeTimeouts timeouts_;
  std::mutex mutex_;
  std::condition_variable changed_;
  Slot converter_;
  Slot viewer_;
  // The viewer's tidier: a thread of its own that closes the start window LibreOffice puts up in
  // place of the last workbook window the user closes. It never holds up the program's end.
  struct Tidier {
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::weak_ptr<OfficeInstance> viewer;
  };
  void StartTidier();
  std::shared_ptr<Tidier> tidier_;
  std::mutex converting_;  // one conversion at a time
  bool noRuntime_ = false;    // the UNO runtime cannot start: no instance ever starts
  bool oneShotOnly_ = false;  // the one-shot serves until a new converter is ready
  std::chrono::steady_clock::time_point startWaitEnds_;  // of the converter's start under way
  int conversions_ = 0;
  int oneShots_ = 0;
};

}  // namespace tuvo::office
