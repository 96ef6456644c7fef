#include "engine/ReportRegistry.h"

// The diagram report classes.
void registerDiagramReports(ReportRegistry&) {}
