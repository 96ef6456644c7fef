// A shared library that links the report library but exports no entry point
// of its own (the loader must not take libTarnelEntity's for it).
#include "engine/ReportRegistry.h"

int notAReportLibrary(ReportRegistry& registry) { return static_cast<int>(registry.classNames().size()); }
