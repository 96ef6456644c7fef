#include "engine/ReportRegistry.h"

// The laf report classes.
void registerLafReports(ReportRegistry&) {}
