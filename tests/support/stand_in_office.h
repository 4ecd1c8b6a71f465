// A stand-in `soffice` first on PATH while the object lives: it logs the time of each one-shot
// conversion asked of it and runs the real LibreOffice for it; asked to start an instance that
// accepts UNO connections, it runs the real one too, or, when it "never accepts", a process that
// starts and never answers. Tests time the program's deadlines by it from a point of their own.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace tuvo::test {

class StandInOffice {
 public:
  explicit StandInOffice(bool accepts);
  ~StandInOffice();
  StandInOffice(const StandInOffice&) = delete;
  StandInOffice& operator=(const StandInOffice&) = delete;

  // When each one-shot conversion was asked for, in order.
  std::vector<std::chrono::system_clock::time_point> OneShots() const;

 private:
  std::filesystem::path Log() const { return folder_.Path() / "one-shots"; }
  TempFolder folder_{"tuvo-stand-in-office"};
  std::string oldPath_;
};

}  // namespace tuvo::test
