#include "engine/ReportRegistry.h"

// The series2 report classes.
void registerSeries2Reports(ReportRegistry&) {}
