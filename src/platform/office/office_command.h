// LibreOffice's command line, for every kind of office the program starts: its private profile
// (and the settings that keep that profile quiet), the file URLs it is given, and the arguments of
// a warm converter or viewer, of a window of its own and of a one-shot conversion.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tuvo::office {

// The file URL of an absolute path, each byte outside the unreserved set escaped.
std::string FileUrl(const std::filesystem::path& path);

// The option that runs LibreOffice on the profile at `profile`; its processes' command lines hold
// it, which tells them from what they start for the user.
std::string ProfileOption(const std::filesystem::path& profile);

// Prepares a new LibreOffice profile at `profile` that never opens a dialog of its own: no tip of
// the day, no document locking, no document recovery.
void WriteQuietProfile(const std::filesystem::path& profile);

// The option that has LibreOffice accept UNO connections on the pipe of that name.
std::string AcceptOption(const std::string& pipeName);

// A warm instance on `profile` that opens no document of its own and accepts on `pipeName`:
// headless for the converter, with windows for the viewer.
std::vector<std::string> InstanceArguments(const std::filesystem::path& profile, bool headless,
                                           const std::string& pipeName);

// A window of its own on `profile` showing `file`, accepting on `pipeName` unless it is empty.
std::vector<std::string> WindowArguments(const std::filesystem::path& profile, const std::string& pipeName,
                                         const std::filesystem::path& file);

// A headless one-shot conversion on `profile` of `file` into `format` ("xls:MS Excel 97", "pdf", a
// format with its filter after a colon) in the folder `out`.
std::vector<std::string> OneShotArguments(const std::filesystem::path& profile, const std::string& format,
                                          const std::filesystem::path& out, const std::filesystem::path& file);

}  // namespace tuvo::office
