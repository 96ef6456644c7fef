#include "host/ConfigurationCheck.h"

namespace {
const char kSelectsPath[] = "SELECTS.SELECT";
const char kEntity[] = "Entity";
const char kProc[] = "proc";
// What the root of a report configuration holds, when it has no Entity.
const char* const kReportElements[] = {"SELECTS", "QUERIES", "TEMPLATES", "STOREDPROCS", "HEADINGS",
                                       "FORMATTING"};
}  // namespace

std::vector<ConfigurationCheck::Problem> ConfigurationCheck::problems(
    const ReportConfiguration& configuration, const std::string& className,
    const ConfigurationNeeds& needs) {
  ConfigurationCheck check(configuration, className);
  check.checkRoot();
  if (className.empty()) {
    check.checkSelects();
  } else {
    check.checkNeeds(needs);
  }
  return check.problems_;
}

void ConfigurationCheck::checkRoot() {
  const KvXMLElement& root = *configuration_.root();
  if (!root.attribute(kEntity).isNull()) return;
  for (const char* element : kReportElements) {
    if (root.getNamedElement(element)) return;
  }
  add(root.line(), "not a report configuration: the root <" + root.name().str() +
                       "> has no Entity attribute and none of SELECTS, QUERIES, TEMPLATES, "
                       "STOREDPROCS, HEADINGS, FORMATTING");
}

void ConfigurationCheck::checkSelects() {
  for (KvXMLElement* select : configuration_.root()->getNamedElements(kSelectsPath)) {
    const std::string& name = select->attribute("Name").str();
    if (!configuration_.query(name)) {
      add(select->line(), "select \"" + name + "\" names a query that is not defined", true);
    }
  }
}

void ConfigurationCheck::checkNeeds(const ConfigurationNeeds& needs) {
  const KvXMLElement& root = *configuration_.root();
  if (needs.entity && root.attribute(kEntity).isNull()) {
    add(root.line(), className_ + " reports on the root's Entity attribute, which is missing");
  }
  if (needs.selects) checkSelects();
  for (const std::string& name : needs.queries) {
    if (!configuration_.query(name)) {
      add(root.line(), className_ + " runs the query \"" + name + "\", which is not defined", true);
    }
  }
  for (const ConfigurationNeeds::Procedure& procedure : needs.procedures) checkProcedure(procedure);
}

void ConfigurationCheck::checkProcedure(const ConfigurationNeeds::Procedure& procedure) {
  const KvXMLElement* element = configuration_.root()->getNamedElement(procedure.path);
  if (!element) {
    add(configuration_.root()->line(),
        className_ + " calls the stored procedure that " + procedure.path + " names, which is missing");
    return;
  }
  if (element->attribute(kProc).isNull()) {
    add(element->line(), procedure.path + " has no \"proc\" attribute naming its procedure");
  }
  for (const std::string& attribute : procedure.queryAttributes) {
    const std::string& name = element->attribute(attribute).str();
    if (name.empty()) {
      add(element->line(), procedure.path + " has no \"" + attribute + "\" attribute naming a query");
    } else if (!configuration_.query(name)) {
      add(element->line(),
          procedure.path + " " + attribute + "=\"" + name + "\" names a query that is not defined", true);
    }
  }
}

void ConfigurationCheck::add(int line, const std::string& text, bool undefinedQuery) {
  problems_.push_back({line, text, undefinedQuery});
}
