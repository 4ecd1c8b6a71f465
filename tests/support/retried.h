// A request that can fail now and then for no fault of its own, such as a new connection to a live
// office, tried a few times.
#pragma once

#include <chrono>
#include <thread>

namespace tuvo::test {

// The result of `request`, tried up to three times while it throws `Error`, with a short pause
// between tries; the last try's error goes on to the caller.
template <typename Error, typename Request>
auto Retried(Request request) -> decltype(request()) {
  for (int attempt = 1;; ++attempt) {
    try {
      return request();
    } catch (const Error&) {
      if (attempt == 3) throw;
      std::this_thread::sleep_for(std::chrono::milliseconds{200});
    }
  }
}

}  // namespace tuvo::test
