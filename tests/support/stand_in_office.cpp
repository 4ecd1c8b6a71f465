#include "support/stand_in_office.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/process/process.h"

namespace tuvo::test {

namespace fs = std::filesystem;

namespace {

// The real LibreOffice, found on PATH before the stand-in goes first.
fs::path RealOffice() {
  const std::optional<fs::path> found = process::FindProgram("soffice");
  return found ? *found : fs::path("soffice");
}

}  // namespace

StandInOffice::StandInOffice(bool accepts) {
  const fs::path script = folder_.Path() / "soffice";
  std::ofstream(script) << "#!/bin/sh\n"
                        << "for a in \"$@\"; do case \"$a\" in\n"
                        << (accepts ? "" : "  --accept=*) exec sh -c 'sleep 600; :' soffice \"$@\";;\n")
                        << "  --convert-to) date +%s.%N >> '" << Log().string() << "';;\n"
                        << "esac; done\n"
                        << "exec " << RealOffice().string() << " \"$@\"\n";
  fs::permissions(script, fs::perms::owner_all);
  const char* path = std::getenv("PATH");
  oldPath_ = path != nullptr ? path : "";
  setenv("PATH", (folder_.Path().string() + ":" + oldPath_).c_str(), 1);
}

StandInOffice::~StandInOffice() { setenv("PATH", oldPath_.c_str(), 1); }

std::vector<std::chrono::system_clock::time_point> StandInOffice::OneShots() const {
  std::vector<std::chrono::system_clock::time_point> times;
  std::istringstream lines(ReadText(Log()));
  for (double seconds; lines >> seconds;) {
    times.emplace_back(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::duration<double>(seconds)));
  }
  return times;
}

}  // namespace tuvo::test
