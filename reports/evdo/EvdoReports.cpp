#include "engine/ReportRegistry.h"

// The evdo report classes.
void registerEvdoReports(ReportRegistry&) {}
