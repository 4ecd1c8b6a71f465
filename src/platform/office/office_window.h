// A LibreOffice process of its own that shows one saved workbook where the office service's viewer
// cannot: started on a private profile with the file, and, where this process speaks UNO, with an
// owner-only UNO pipe. The user may open documents of their own in it, so nothing of the program
// ever signals it: closing the workbook closes exactly its document over UNO, within a deadline,
// and the office's watchdog ends it once it shows no document window, then tidies its folder and
// sockets. An office that cannot be reached over UNO is left to the user.
#pragma once

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include <sys/types.h>

#include "platform/office/office_watchdog.h"

namespace tuvo::office {

namespace uno {
class Connection;
}

class OfficeWindow {
 public:
  // Starts `program` (LibreOffice Calc) showing `file`; none when it cannot be started.
  static std::unique_ptr<OfficeWindow> Open(const std::string& program, const std::filesystem::path& file);
  // Lets go of the office: its watchdog's from now on; signals nothing.
  ~OfficeWindow();
  OfficeWindow(const OfficeWindow&) = delete;
  OfficeWindow& operator=(const OfficeWindow&) = delete;

  // Closes the workbook's document, whether or not the user closed it; an office that does not
  // answer in time, or does not hold it (yet), keeps it for the user.
  void Close();
  // Whether the workbook is shown: while the office runs, unless an office that answers no longer
  // holds the document it showed.
  bool IsOpen();
  pid_t Process() const { return pid_; }

 private:
  // The connection that the requests share, made by the first that reaches the office.
  struct Link {
    std::string pipe;
    std::unique_ptr<uno::Connection> connection;
  };

  OfficeWindow(std::filesystem::path folder, std::filesystem::path file);
  // The request's answer within `deadline`, after any earlier request that is still running; none
  // when the office cannot be reached over UNO, fails or does not answer in time.
  template <typename Request>
  std::optional<bool> Ask(std::chrono::milliseconds deadline, Request request);
  // Whether none of the office's own processes runs any more.
  bool Ended() const;
  // Our lock file and folder, once nothing tidies after us.
  void Clean() const;
  // The lock file beside the workbook, when it names our profile.
  void RemoveOwnLock() const;

  std::filesystem::path folder_;
  std::filesystem::path file_;
  pid_t pid_ = -1;
  std::shared_ptr<Link> link_ = std::make_shared<Link>();
  std::future<std::optional<bool>> pending_;  // a request that passed its deadline
  bool seen_ = false;                          // the office answered that it shows the document
  OfficeWatchdog watchdog_;
};

}  // namespace tuvo::office
