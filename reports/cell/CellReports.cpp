#include "engine/ReportRegistry.h"

// The cell report classes.
void registerCellReports(ReportRegistry&) {}
