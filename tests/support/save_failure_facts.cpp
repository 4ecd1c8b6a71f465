#include "save_failure_facts.h"

namespace tuvo::test {

namespace fs = std::filesystem;

void PrintTo(const Facts& f, std::ostream* os) {
  *os << "kind " << static_cast<int>(f.kind) << ", " << f.path << ", error " << f.errorNumber;
}

std::optional<Facts> FactsOf(const std::exception& error) {
  const system::SaveFailure* failure = system::SaveFailureOf(error);
  if (failure == nullptr) return std::nullopt;
  return Facts{failure->Kind(), failure->Path(), failure->ErrorNumber()};
}

void FailCall(const fs::path& folder, system::FileCall call, int error) {
  system::SetFileFault(
      [=](const fs::path& in, system::FileCall made) { return in == folder && made == call ? error : 0; });
}

}  // namespace tuvo::test
