// A connection to a LibreOffice instance over UNO, its own automation interface: loading,
// converting, showing and closing documents. The only place that speaks UNO; nothing of its
// types leaks out. Calls block until the office answers or the connection breaks (ending the
// office's process breaks it), so callers put a deadline around them.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace tuvo::office::uno {

// The office refused a request or the connection broke.
class UnoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A document that a connection showed; 0 is none.
using DocumentId = int;

class Connection {
 public:
  // Connects once to the office that accepts on the pipe `pipeName`; throws UnoError when no
  // office answers there (yet).
  static std::unique_ptr<Connection> Connect(const std::string& pipeName);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Loads `xlsx` hidden, stores it as an .xls file ("MS Excel 97") at `xls` and closes it.
  void ConvertToXls(const std::filesystem::path& xlsx, const std::filesystem::path& xls);
  // Loads an empty spreadsheet hidden and keeps it: the first workbook shown comes up quickly, and
  // when the user closes the last workbook shown the office puts up no start window in its place.
  void WarmUp();
  // Loads `file` in a window of its own and returns the document.
  DocumentId Show(const std::filesystem::path& file);
  // Closes the document and its window; a document already closed (by the user) is no failure.
  void Close(DocumentId document);
  // Whether the document is still open in its window.
  bool IsOpen(DocumentId document);
  // Whether a document loaded from `file` is open in a window, whoever loaded it.
  bool IsOpenAt(const std::filesystem::path& file);
  // Closes each document loaded from `file` and its window; false when the office holds none.
  bool CloseAt(const std::filesystem::path& file);
  // The office's visible windows that show a document, whoever opened them; a window still
  // loading counts as one.
  int VisibleWindowCount();
  // Closes the start window the office puts up when the user closes its last document window,
  // and returns VisibleWindowCount().
  int CloseStartWindows();
  // Asks the office to end; false when something it holds refuses (the office then runs on).
  bool Terminate();

 private:
  struct Impl;
  explicit Connection(std::unique_ptr<Impl> impl);
  int CountWindows(bool closeStartWindows);
  std::unique_ptr<Impl> impl_;
};

// Makes sure the UNO runtime of this process is up; throws UnoError when it cannot start. From
// then on the process's exit keeps its status but skips the UNO libraries' teardown: threads of
// theirs may still run in them then (a request an office never answered, a bridge winding down).
// That skip covers what was registered for the exit up to the runtime's start; what the libraries
// register later is skipped only when the process ends through Exit.
void StartRuntime();

// Ends the process with `status`, as returning from main does. Once the runtime runs, no exit
// handler runs at all: the UNO libraries register the teardown of parts of their state as they
// first use them (the bridge's proxy tables and exception types, its thread pool), after
// StartRuntime's, and a request still running would use them after they went.
[[noreturn]] void Exit(int status);

}  // namespace tuvo::office::uno
