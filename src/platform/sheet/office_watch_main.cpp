// The watchdog of one LibreOffice instance of the program:
//   tuvo-office-watch converter|viewer PROCESS_GROUP PIPE_NAME FOLDER
// It reads its input until the program closes it (the program ended, was killed, or let go of the
// instance). Then a converter is ended at once; a viewer is ended as soon as it shows no window
// (it may still show a saved workbook to the user). At the end the instance's folder goes.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
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
// How many counts running may go unanswered before the viewer counts as holding no window.
constexpr int Unanswered = 3;
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

// The visible workbook windows of the viewer, over one connection kept between counts; none when
// it does not answer.
std::optional<int> VisibleWindows(const std::string& pipe,
                                  std::unique_ptr<tuvo::sheet::uno::Connection>& connection) {
  alarm(CountDeadlineSeconds);
  std::optional<int> count;
  try {
    if (!connection) connection = tuvo::sheet::uno::Connection::Connect(pipe);
    count = connection->CloseStartWindows();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "the viewer did not answer: %s\n", error.what());
    connection.reset();
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
  std::fprintf(stderr, "the program let go of the %s\n", role.c_str());
  if (role == "viewer") {
    // A viewer that does not answer a few times running counts as holding no window.
    std::unique_ptr<tuvo::sheet::uno::Connection> connection;
    int unanswered = 0;
    while (GroupAlive() && unanswered < Unanswered) {
      const std::optional<int> windows = VisibleWindows(pipe, connection);
      if (windows) std::fprintf(stderr, "%d workbook windows open\n", *windows);
      if (windows == 0) break;
      unanswered = windows ? 0 : unanswered + 1;
      std::this_thread::sleep_for(CountInterval);
    }
  }
  if (GroupAlive()) {
    std::fprintf(stderr, "ending the office\n");
    EndGroup();
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
