// Operating-system services of the program: blocking input during a run, the output folder,
// the help page in the desktop's browser, the clock and the beep. Knows nothing of rice.
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/locale.h"
#include "platform/save_failure.h"

namespace tuvo::system {

// Blocks (true) or releases (false) keyboard and mouse input of the whole application. While a
// ScopedInputBlock is alive, input stays blocked whatever BlockInput was last told.
void BlockInput(bool block);

// Whether input is blocked now, by BlockInput or by a ScopedInputBlock.
bool InputBlocked();

// Blocks input from construction to destruction, so that an error thrown through the scope
// releases it too. Guards nest: input comes back only when the outermost one ends.
class ScopedInputBlock {
 public:
  ScopedInputBlock();
  ~ScopedInputBlock();
  ScopedInputBlock(const ScopedInputBlock&) = delete;
  ScopedInputBlock& operator=(const ScopedInputBlock&) = delete;
};

// The folder the workbooks are saved in: TUVO_Output in the user's home folder.
std::filesystem::path OutputFolder();

// Whether the path names an existing folder.
bool FolderExists(const std::filesystem::path& folder);

// A folder that could not be made: the technical text names the path; the facts say why.
class FolderError : public std::runtime_error, public SaveFailure {
 public:
  FolderError(const std::string& what, SaveFailureKind kind, std::filesystem::path path, int errorNumber)
      : std::runtime_error(what), SaveFailure(kind, std::move(path), errorNumber) {}
};

// Creates the folder, one level only; an existing folder is left as it is. A missing parent,
// a file in the way or a refusal of the system throws FolderError naming the path: of kind
// InTheWay for a file of that name, NoSpace or NotWritable naming the parent when the system
// says so, FolderNotMade naming the folder otherwise.
void CreateFolder(const std::filesystem::path& folder);

// The help page share/TUVO_HELP.HTM beside the program, else in the source tree's share/;
// where neither exists, the path beside the program.
std::filesystem::path HelpPagePath();

// What starting the help page came to; a message for the window when it was not started.
struct HelpPageResult {
  bool started = false;
  std::string message;
};

// Starts the desktop's browser on the help page and does not wait for it. The opener runs on
// its own (ending the program leaves it running); when it ends with a failure later (xdg-open
// finds no browser, say), `failed` gets the window's message from the event loop.
HelpPageResult StartHelpPage(std::function<void(const std::string&)> failed = {});

// The program that opens the help page ("xdg-open"); tests set their own. Empty restores it.
void SetBrowserProgram(std::string program);

// Uses this help page instead of looking it up; an empty path restores the lookup.
void SetHelpPage(std::filesystem::path page);

// The local date and time now.
locale::DateTime Now();

// Replaces the clock Now() reads (tests); an empty function restores the system clock.
void SetClock(std::function<locale::DateTime()> clock);

// The desktop's beep.
void Beep();

}  // namespace tuvo::system
