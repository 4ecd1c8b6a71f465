// The watchdog of one LibreOffice instance of the program:
//   tuvo-office-watch converter|viewer PROCESS_GROUP PIPE_NAME FOLDER
// It reads its input until the program closes it (the program ended, was killed, or let go of the
// instance). Then a converter is ended at once; a viewer is ended as soon as it shows no window
// (it may still show a saved workbook to the user). At the end the instance's folder goes.
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include "platform/sheet/uno_client.h"

namespace {

using namespace std::chrono_literals;

// How often a viewer's windows are counted after the program is gone.
constexpr auto CountInterval = 2s;
// How long one count may take before the viewer counts as hung and is ended.
constexpr unsigned CountDeadlineSeconds = 10;
// How long the instance may take to end when asked.
constexpr auto EndGrace = 3s;

pid_t group = 0;

bool GroupAlive() { return kill(-group, 0) == 0 || errno == EPERM; }

// Ends the whole process group: a request first, then by force.
void EndGroup() {
  kill(-group, SIGTERM);
  kill(-group, SIGCONT);  // a stopped process takes its request only once it runs
  const auto deadline = std::chrono::steady_clock::now() + EndGrace;
  while (GroupAlive() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(50ms);
  kill(-group, SIGKILL);
}

// A count that hangs ends the instance, which also ends the count.
void CountTookTooLong(int) { kill(-group, SIGKILL); }

// The visible workbook windows of the viewer; 0 when it does not answer.
int VisibleWindows(const std::string& pipe) {
  alarm(CountDeadlineSeconds);
  int count = 0;
  try {
    count = tuvo::sheet::uno::Connection::Connect(pipe)->CloseStartWindows();
  } catch (const std::exception&) {
    count = 0;
  }
  alarm(0);
  return count;
}

// Waits until the program closes our input.
void WaitForProgramEnd() {
  char buffer[64];
  while (true) {
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got == 0) return;
    if (got < 0 && errno != EINTR) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  const std::string role = argv[1];
  group = static_cast<pid_t>(std::atol(argv[2]));
  const std::string pipe = argv[3];
  const std::filesystem::path folder = argv[4];
  if (group <= 1) return 2;
  signal(SIGHUP, SIG_IGN);
  signal(SIGINT, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);
  signal(SIGALRM, CountTookTooLong);

  WaitForProgramEnd();
  if (role == "viewer") {
    while (GroupAlive() && VisibleWindows(pipe) > 0) std::this_thread::sleep_for(CountInterval);
  }
  if (GroupAlive()) EndGroup();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
