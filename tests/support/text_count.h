// How often a text holds another, for tests that count what a file or a command line holds.
#pragma once

#include <cstddef>
#include <string>

namespace tuvo::test {

// The occurrences of `what` in `text` that do not overlap, counted from the start.
inline std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

}  // namespace tuvo::test
