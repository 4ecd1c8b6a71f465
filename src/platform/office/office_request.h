// A request to an office that may never answer runs on a thread of its own, so that its caller can
// stop waiting for it: the thread then finishes on its own, or stays blocked with the office.
#pragma once

#include <future>
#include <memory>
#include <thread>

namespace tuvo::office {

// Runs `request` on a detached thread; its result, or what it threw, comes through the future.
template <typename Request>
auto OnThreadOfItsOwn(Request request) -> std::future<decltype(request())> {
  auto task = std::make_shared<std::packaged_task<decltype(request())()>>(std::move(request));
  std::future<decltype(request())> answer = task->get_future();
  std::thread([task]() mutable {
    (*task)();
    task.reset();
  }).detach();
  return answer;
}

}  // namespace tuvo::office
