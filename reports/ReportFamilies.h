// The register functions of the built-in report families, one per family
// folder. The library's entry point (reports/TarnelEntityLibrary.cpp) calls
// them all; nothing else should. Not installed: plug-ins register their own.
#ifndef TARNEL_REPORTS_REPORTFAMILIES_H_
#define TARNEL_REPORTS_REPORTFAMILIES_H_

class ReportRegistry;

void registerInstanceReports(ReportRegistry& registry);
void registerCellReports(ReportRegistry& registry);
void registerLafReports(ReportRegistry& registry);
void registerDiagramReports(ReportRegistry& registry);
void registerSeries2Reports(ReportRegistry& registry);
void registerEvdoReports(ReportRegistry& registry);

#endif  // TARNEL_REPORTS_REPORTFAMILIES_H_
