#include "platform/office/office_service.h"

namespace tuvo::office {

namespace {

std::mutex installedMutex;
std::shared_ptr<OfficeService> installed;

using Clock = std::chrono::steady_clock;

// How often the viewer is looked at for a start window to close.
constexpr std::chrono::milliseconds TidyInterval{1000};

}  // namespace

OfficeService::OfficeService(std::string program, OfficeTimeouts timeouts)
    : program_(std::move(program)), timeouts_(timeouts) {}

OfficeService::~OfficeService() {
  if (tidier_) {
    std::lock_guard lock(tidier_->mutex);
    tidier_->stopping = true;
    tidier_->wake.notify_all();
  }
  {
    std::lock_guard lock(mutex_);
    for (Slot* slot : {&converter_, &viewer_}) {
      if (slot->starting) slot->starting->Abort();
    }
  }
  JoinSlot(converter_);
  JoinSlot(viewer_);
  // The converter ends now; the viewer ends too unless it shows a window.
  converter_.instance.reset();
  viewer_.instance.reset();
}

std::shared_ptr<OfficeService> OfficeService::Current() {
  std::lock_guard lock(installedMutex);
  return installed;
}

void OfficeService::Install(std::shared_ptr<OfficeService> service) {
  std::lock_guard lock(installedMutex);
  installed = std::move(service);
}

void OfficeService::StartInBackground(bool withViewer) {
  // The UNO runtime sets up its environment here, before any thread of ours could read it.
  try {
    uno::StartRuntime();
  } catch (const uno::UnoError&) {
    // no instance can be reached: the one-shot conversion serves, and nothing is started
    std::lock_guard lock(mutex_);
    noRuntime_ = true;
    return;
  }
  StartSlot(converter_, OfficeInstance::Role::Converter);
  if (withViewer) {
    // The tidier is there before the viewer's starter thread hands it the viewer.
    StartTidier();
    StartSlot(viewer_, OfficeInstance::Role::Viewer);
  }
}

void OfficeService::StartTidier() {
  if (tidier_) return;
  tidier_ = std::make_shared<Tidier>();
  std::thread([tidier = tidier_] {
    std::unique_lock lock(tidier->mutex);
    while (!tidier->wake.wait_for(lock, TidyInterval, [&] { return tidier->stopping; })) {
      std::shared_ptr<OfficeInstance> viewer = tidier->viewer.lock();
      if (!viewer) continue;
      lock.unlock();
      viewer->CloseStartWindows();
      viewer.reset();
      lock.lock();
    }
  }).detach();
}

// Starts the slot's instance on a thread of its own, unless it runs or starts already.
void OfficeService::StartSlot(Slot& slot, OfficeInstance::Role role) {
  std::thread finished;
  {
    std::lock_guard lock(mutex_);
    if (noRuntime_ || slot.instance || slot.starting) return;
    auto instance = std::make_shared<OfficeInstance>(role, program_, timeouts_);
    slot.starting = instance;
    if (role == OfficeInstance::Role::Converter) startWaitEnds_ = Clock::now() + timeouts_.startWait;
    finished = std::move(slot.starter);
    slot.starter = std::thread([this, &slot, instance, role] {
      bool started = true;
      try {
        instance->Start();
      } catch (const std::exception&) {
        started = false;  // the next use replaces it or does without
      }
      std::lock_guard lock(mutex_);
      slot.starting.reset();
      if (started) slot.instance = instance;
      if (started && role == OfficeInstance::Role::Converter) oneShotOnly_ = false;
      if (started && role == OfficeInstance::Role::Viewer && tidier_) {
        std::lock_guard tidying(tidier_->mutex);
        tidier_->viewer = instance;
      }
      changed_.notify_all();
    });
  }
  if (finished.joinable()) finished.join();
}

void OfficeService::JoinSlot(Slot& slot) {
  if (slot.starter.joinable()) slot.starter.join();
}

bool OfficeService::ConverterStarting() {
  std::lock_guard lock(mutex_);
  return converter_.starting != nullptr;
}

bool OfficeService::WaitForConverter(std::chrono::milliseconds timeout) { return WaitForSlot(converter_, timeout); }

bool OfficeService::WaitForViewer(std::chrono::milliseconds timeout) { return WaitForSlot(viewer_, timeout); }

bool OfficeService::WaitForSlot(const Slot& slot, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return slot.starting == nullptr; });
}

bool OfficeService::ConverterWaitOver() const {
  return noRuntime_ || oneShotOnly_ || converter_.starting == nullptr || Clock::now() >= startWaitEnds_;
}

bool OfficeService::WaitForConverterStart(std::chrono::milliseconds slice) {
  std::unique_lock lock(mutex_);
  const Clock::time_point until = std::min(Clock::now() + slice, startWaitEnds_);
  return changed_.wait_until(lock, until, [&] { return ConverterWaitOver(); }) || ConverterWaitOver();
}

void OfficeService::Convert(const std::filesystem::path& xlsx, const std::filesystem::path& xls,
                            const std::function<void()>& oneShot) {
  std::lock_guard converting(converting_);
  if (TryConverter(xlsx, xls)) {
    ++conversions_;
    return;
  }
  ++oneShots_;
  oneShot();
}

// The conversion through the converter; false when the one-shot must serve. A converter that is
// missing or fails is replaced in the background, never inside the save.
bool OfficeService::TryConverter(const std::filesystem::path& xlsx, const std::filesystem::path& xls) {
  std::shared_ptr<OfficeInstance> converter;
  {
    std::unique_lock lock(mutex_);
    if (noRuntime_) return false;
    changed_.wait_until(lock, startWaitEnds_, [&] { return ConverterWaitOver(); });
    if (converter_.starting) {
      // Still starting past its wait: it goes on for a later save.
      oneShotOnly_ = true;
      return false;
    }
    converter = converter_.instance;
  }
  if (converter && converter->Usable()) {
    try {
      converter->Convert(xlsx, xls, timeouts_.convert);
      return true;
    } catch (const OfficeError&) {
      // dead or past its deadline (and ended): a new one starts below
    }
  }
  {
    std::lock_guard lock(mutex_);
    if (converter_.instance == converter) converter_.instance.reset();
    oneShotOnly_ = true;
  }
  converter.reset();  // a dead converter's sockets and folder go with it
  StartSlot(converter_, OfficeInstance::Role::Converter);
  return false;
}

std::optional<ShownWindow> OfficeService::Show(const std::filesystem::path& file) {
  std::shared_ptr<OfficeInstance> viewer;
  bool restart = false;
  {
    std::unique_lock lock(mutex_);
    if (noRuntime_) return std::nullopt;
    changed_.wait_for(lock, timeouts_.window, [&] { return viewer_.starting == nullptr; });
    viewer = viewer_.instance;
    if (viewer && !viewer->Usable()) {
      // A dead or hung viewer is let go of, to its watchdog once its windows' records let go of
      // it too (it may still hold the user's work), and a new one starts for the next workbook.
      viewer_.instance.reset();
      viewer.reset();
      restart = true;
    }
  }
  if (restart) StartSlot(viewer_, OfficeInstance::Role::Viewer);
  if (!viewer) return std::nullopt;
  return ShownWindow{viewer, viewer->Show(file)};
}

pid_t OfficeService::ConverterProcess() {
  std::lock_guard lock(mutex_);
  return converter_.instance ? converter_.instance->Process() : -1;
}

pid_t OfficeService::ViewerProcess() {
  std::lock_guard lock(mutex_);
  return viewer_.instance ? viewer_.instance->Process() : -1;
}

}  // namespace tuvo::office
