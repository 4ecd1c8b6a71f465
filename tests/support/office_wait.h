// How tests wait for a real LibreOffice: long enough that only a broken office fails them, also
// when many offices start at once on a loaded machine. The program's own deadlines are tested
// with stand-in offices, or timed from a point the test controls.
#pragma once

#include <chrono>

#include "platform/office/office_instance.h"

namespace tuvo::test {

// The longest a real office may take to be ready, started and warmed up.
inline constexpr std::chrono::seconds OfficeReadyBound{120};

// How long a loaded machine may keep a real viewer from showing, looking at or closing a window.
inline constexpr std::chrono::seconds WindowBound{30};

// The program's own deadline for showing, looking at and closing a window of the viewer, and for
// closing the workbook in a LibreOffice of its own: what a test of that deadline holds the program
// to, with the slack that the threads and processes around the request may take on a loaded machine.
inline constexpr std::chrono::seconds WindowDeadline{5};
inline constexpr std::chrono::seconds DeadlineSlack{2};

// The service's timeouts for a test that needs its instances ready: a start, a save's wait for a
// converter still starting, and a viewer's window requests, that cover a loaded machine; every
// other deadline is the program's.
inline office::OfficeTimeouts PatientTimeouts(office::OfficeTimeouts timeouts = {}) {
  timeouts.start = OfficeReadyBound;
  timeouts.startWait = OfficeReadyBound;
  timeouts.window = WindowBound;
  return timeouts;
}

}  // namespace tuvo::test
