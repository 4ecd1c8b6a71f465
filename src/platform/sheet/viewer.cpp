#include "platform/sheet/viewer.h"

#include "platform/sheet/workbook.h"

namespace tuvo::sheet {

struct Viewer::Window {};

Viewer::Viewer() = default;
Viewer::~Viewer() = default;

void Viewer::Show(const Workbook&, const std::string&) {}

void Viewer::Close(const Workbook& workbook) { windows_.erase(&workbook); }

bool Viewer::IsShowing(const Workbook& workbook) const { return windows_.count(&workbook) > 0; }

bool Viewer::HasDisplay() { return false; }

}  // namespace tuvo::sheet
