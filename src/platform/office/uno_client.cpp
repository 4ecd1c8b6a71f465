#include "platform/office/uno_client.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <mutex>
#include <vector>

#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <osl/file.hxx>
#include <rtl/ustring.hxx>
#include <unistd.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/office/office_command.h"

namespace tuvo::office::uno {

namespace {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

OUString Utf16(const std::string& text) {
  return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

std::string Utf8(const OUString& text) { return rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8).getStr(); }

// The local component context of this process, made once and never torn down: the UNO libraries
// may be gone by the time static objects are destroyed at the program's exit.
Reference<css::uno::XComponentContext>& LocalContext() {
  static auto* context = new Reference<css::uno::XComponentContext>();
  return *context;
}

css::beans::PropertyValue Property(const char* name, const css::uno::Any& value) {
  css::beans::PropertyValue property;
  property.Name = OUString::createFromAscii(name);
  property.Value = value;
  return property;
}

// The arguments of a load or store request.
css::uno::Sequence<css::beans::PropertyValue> Arguments(std::initializer_list<css::beans::PropertyValue> properties) {
  return css::uno::Sequence<css::beans::PropertyValue>(properties.begin(), static_cast<sal_Int32>(properties.size()));
}

// Runs a UNO request and turns whatever it throws into UnoError naming the request.
template <typename Request>
auto Ask(const char* what, Request request) -> decltype(request()) {
  try {
    return request();
  } catch (const css::uno::Exception& error) {
    throw UnoError(std::string(what) + ": " + Utf8(error.Message));
  }
}

// Whether the document is open in a window.
bool InWindow(const Reference<css::frame::XModel>& model) {
  if (!model.is()) return false;
  try {
    Reference<css::frame::XController> controller = model->getCurrentController();
    return controller.is() && controller->getFrame().is();
  } catch (const css::uno::Exception&) {
    return false;
  }
}

// Closes the document and its window; one already closed (by the user) is no failure.
void CloseDocument(const Reference<css::frame::XModel>& model) {
  if (!model.is()) return;
  try {
    Reference<css::util::XCloseable>(model, UNO_QUERY_THROW)->close(true);
  } catch (const css::lang::DisposedException&) {
    // the user closed it already
  } catch (const css::uno::Exception& error) {
    throw UnoError("closing: " + Utf8(error.Message));
  }
}

// The path with its links followed as far as they lead, so that two spellings of one file compare
// equal; as written where it cannot be looked at.
std::filesystem::path Resolved(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path.lexically_normal() : resolved;
}

// The office's documents loaded from `file`, however the office spells its URL.
std::vector<Reference<css::frame::XModel>> LoadedFrom(const Reference<css::frame::XDesktop2>& desktop,
                                                      const std::filesystem::path& file) {
  return Ask("looking for the document", [&] {
    const std::filesystem::path wanted = Resolved(file);
    std::vector<Reference<css::frame::XModel>> found;
    Reference<css::container::XEnumeration> components = desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
      Reference<css::frame::XModel> model(components->nextElement(), UNO_QUERY);
      OUString path;
      // A new document has no URL, and what is no file has no path.
      if (!model.is() || model->getURL().isEmpty() ||
          osl::FileBase::getSystemPathFromFileURL(model->getURL(), path) != osl::FileBase::E_None) {
        continue;
      }
      if (Resolved(Utf8(path)) == wanted) found.push_back(model);
    }
    return found;
  });
}

// Set once the runtime runs.
std::atomic<bool> runtimeStarted{false};

// At the exit, the process ends here with its status, before the UNO libraries are torn down
// under threads of theirs that may still run. A leak check of the sanitizers runs first, as it
// would have run at the end.
void SkipUnoTeardown(int status, void*) {
#if defined(__SANITIZE_ADDRESS__)
  __lsan_do_leak_check();
#endif
  std::fflush(nullptr);
  _exit(status);
}

}  // namespace

void StartRuntime() {
  static std::once_flag once;
  static std::string failure;
  std::call_once(once, [] {
    // The runtime finds the office's types and services through the office's own bootstrap file.
    setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" LIBREOFFICE_PROGRAM_DIR "/fundamentalrc", 0);
    try {
      LocalContext() = cppu::defaultBootstrap_InitialComponentContext();
    } catch (const css::uno::Exception& error) {
      failure = "the UNO runtime cannot start: " + Utf8(error.Message);
      return;
    }
    // Registered after the runtime's own state, so that it runs before that state goes.
    on_exit(SkipUnoTeardown, nullptr);
    // A write to the pipe of an office that just died must fail, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    runtimeStarted = true;
  });
  if (!failure.empty()) throw UnoError(failure);
}

void Exit(int status) {
  if (runtimeStarted) SkipUnoTeardown(status, nullptr);
  std::exit(status);
}

struct Connection::Impl {
  Reference<css::uno::XComponentContext> remote;
  Reference<css::frame::XDesktop2> desktop;
  std::mutex mutex;  // guards the shown documents
  std::map<DocumentId, Reference<css::frame::XModel>> shown;
  Reference<css::lang::XComponent> warm;  // the hidden spreadsheet of WarmUp
  DocumentId lastId = 0;

  Reference<css::frame::XModel> Shown(DocumentId document) {
    std::lock_guard lock(mutex);
    const auto it = shown.find(document);
    return it == shown.end() ? Reference<css::frame::XModel>() : it->second;
  }
};

Connection::Connection(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Connection::~Connection() {
  // Letting go of the remote references ends the bridge; a dead office only makes that fail.
  try {
    impl_.reset();
  } catch (...) {
  }
}

std::unique_ptr<Connection> Connection::Connect(const std::string& pipeName) {
  StartRuntime();
  auto impl = std::make_unique<Impl>();
  Ask("connecting", [&] {
    Reference<css::bridge::XUnoUrlResolver> resolver = css::bridge::UnoUrlResolver::create(LocalContext());
    impl->remote.set(resolver->resolve(Utf16("uno:pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext")),
                     UNO_QUERY_THROW);
    impl->desktop = css::frame::Desktop::create(impl->remote);
  });
  return std::unique_ptr<Connection>(new Connection(std::move(impl)));
}

void Connection::ConvertToXls(const std::filesystem::path& xlsx, const std::filesystem::path& xls) {
  Ask("converting", [&] {
    const auto load = Arguments({Property("Hidden", css::uno::Any(true)), Property("ReadOnly", css::uno::Any(true))});
    Reference<css::lang::XComponent> document =
        impl_->desktop->loadComponentFromURL(Utf16(FileUrl(xlsx)), "_blank", 0, load);
    if (!document.is()) throw UnoError("the office loaded nothing from \"" + xlsx.string() + "\"");
    Reference<css::util::XCloseable> closeable(document, UNO_QUERY_THROW);
    try {
      const auto store = Arguments(
          {Property("FilterName", css::uno::Any(OUString("MS Excel 97"))), Property("Overwrite", css::uno::Any(true))});
      Reference<css::frame::XStorable>(document, UNO_QUERY_THROW)->storeToURL(Utf16(FileUrl(xls)), store);
    } catch (...) {
      try {
        closeable->close(true);
      } catch (...) {
      }
      throw;
    }
    closeable->close(true);
  });
}

void Connection::WarmUp() {
  Ask("warming up", [&] {
    const auto load = Arguments({Property("Hidden", css::uno::Any(true))});
    impl_->warm = impl_->desktop->loadComponentFromURL("private:factory/scalc", "_blank", 0, load);
  });
}

DocumentId Connection::Show(const std::filesystem::path& file) {
  return Ask("showing", [&] {
    const css::uno::Sequence<css::beans::PropertyValue> load;
    Reference<css::lang::XComponent> document =
        impl_->desktop->loadComponentFromURL(Utf16(FileUrl(file)), "_blank", 0, load);
    Reference<css::frame::XModel> model(document, UNO_QUERY);
    if (!model.is()) throw UnoError("the office showed nothing of \"" + file.string() + "\"");
    // The workbook is as saved: closing its window asks nothing of the user.
    if (Reference<css::util::XModifiable> modifiable{model, UNO_QUERY}; modifiable.is()) modifiable->setModified(false);
    std::lock_guard lock(impl_->mutex);
    impl_->shown[++impl_->lastId] = model;
    return impl_->lastId;
  });
}

void Connection::Close(DocumentId document) {
  Reference<css::frame::XModel> model = impl_->Shown(document);
  {
    std::lock_guard lock(impl_->mutex);
    impl_->shown.erase(document);
  }
  CloseDocument(model);
}

bool Connection::IsOpen(DocumentId document) { return InWindow(impl_->Shown(document)); }

bool Connection::IsOpenAt(const std::filesystem::path& file) {
  for (const Reference<css::frame::XModel>& model : LoadedFrom(impl_->desktop, file)) {
    if (InWindow(model)) return true;
  }
  return false;
}

bool Connection::CloseAt(const std::filesystem::path& file) {
  const std::vector<Reference<css::frame::XModel>> models = LoadedFrom(impl_->desktop, file);
  for (const Reference<css::frame::XModel>& model : models) CloseDocument(model);
  return !models.empty();
}

bool Connection::Terminate() {
  return Ask("terminating", [&] { return static_cast<bool>(impl_->desktop->terminate()); });
}

int Connection::VisibleWindowCount() { return CountWindows(false); }

int Connection::CloseStartWindows() { return CountWindows(true); }

// The visible document windows; with `closeStartWindows`, visible windows without a document
// (the start window) are closed on the way.
int Connection::CountWindows(bool closeStartWindows) {
  return Ask("counting windows", [&] {
    Reference<css::frame::XFrames> frames = impl_->desktop->getFrames();
    std::vector<Reference<css::frame::XFrame>> startWindows;
    int documents = 0;
    for (sal_Int32 i = 0; i < frames->getCount(); ++i) {
      Reference<css::frame::XFrame> frame;
      frames->getByIndex(i) >>= frame;
      if (!frame.is()) continue;
      Reference<css::awt::XWindow2> window(frame->getContainerWindow(), UNO_QUERY);
      if (!window.is() || !window->isVisible()) continue;
      // A frame still loading has no controller yet, and counts as a document; the start window's
      // controller is the start module itself, with no document.
      Reference<css::frame::XController> controller = frame->getController();
      if (!controller.is() || controller->getModel().is()) {
        ++documents;
      } else if (Reference<css::lang::XServiceInfo> info(controller, UNO_QUERY);
                 info.is() && info->supportsService("com.sun.star.frame.StartModule")) {
        startWindows.push_back(frame);
      }
    }
    if (closeStartWindows) {
      for (const auto& frame : startWindows) Reference<css::util::XCloseable>(frame, UNO_QUERY_THROW)->close(true);
    }
    return documents;
  });
}

}  // namespace tuvo::office::uno
