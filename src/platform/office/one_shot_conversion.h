// A one-shot LibreOffice conversion: a headless office of its own converts one file and ends. Its
// files and sockets are the caller's alone; whatever sockets it leaves are removed once it is gone.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace tuvo::office {

// What became of a one-shot conversion.
struct OneShotOutcome {
  bool started = false;
  std::string startError;     // why it could not be started
  std::optional<int> status;  // its exit status; none when it was ended at its deadline
};

// Has `program` (LibreOffice) on the profile at `profile` convert `file` into `format` in the
// folder `out`, its output going to `log`, its environment with `environment` set on top and, with
// `fileMask`, under that umask; waits for it up to `timeout`, then ends it.
OneShotOutcome RunOneShotConversion(const std::string& program, const std::filesystem::path& profile,
                                    const std::string& format, const std::filesystem::path& out,
                                    const std::filesystem::path& file, const std::filesystem::path& log,
                                    std::chrono::milliseconds timeout,
                                    const std::vector<std::string>& environment = {},
                                    std::optional<mode_t> fileMask = std::nullopt);

}  // namespace tuvo::office
