// The in-process spreadsheet application the run writes and reads back: application, workbooks,
// worksheets, ranges, chart sheets. Names follow the automation operations the program uses.
// This umbrella header is what the rest of the program includes.
//
// Rows and columns count from 1. Formatting acts on a Range (callers select a range, then format
// the selection, as the automation does). Failures throw SheetError with a message saying what
// failed.
#pragma once

#include "platform/sheet/cell.h"
#include "platform/sheet/range.h"
#include "platform/sheet/worksheet.h"
#include "platform/sheet/chart.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/application.h"
