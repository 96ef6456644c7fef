#include "workbook/PackageEditor.h"

#include <cstdlib>
#include <deque>
#include <initializer_list>

#include "workbook/DataSheet.h"
#include "workbook/PartName.h"
#include "workbook/SheetReference.h"
#include "workbook/TemplatePackage.h"
#include "workbook/WorkbookError.h"

namespace {

const char kContentTypes[] = "[Content_Types].xml";
const char kEmptyRelationships[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";
const char kWorksheetRelationship[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char kDcTerms[] = "http://purl.org/dc/terms/";
const char kXsi[] = "http://www.w3.org/2001/XMLSchema-instance";
const char kFrameNumber[] = "FrameNumber";

const char kWorksheetType[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
const char kChartType[] = "application/vnd.openxmlformats-officedocument.drawingml.chart+xml";
const char kTableType[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.table+xml";
const char kSheetMain[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
const char kMacroSheetMain[] = "application/vnd.ms-excel.sheet.macroEnabled.main+xml";
const char* const kWorkbookMainTypes[] = {
    kSheetMain, kMacroSheetMain,
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml",
    "application/vnd.ms-excel.template.macroEnabled.main+xml"};

// Relationships whose targets a copied sheet shares with its source instead of copying.
const char* const kSharedTargets[] = {"/image", "/pivotCacheDefinition", "/hyperlink"};

const xmlChar* x(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

bool endsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool sameName(const std::string& a, const std::string& b) { return PartName::folded(a) == PartName::folded(b); }

bool external(const xmlNode* relationship) {
  return XmlPart::attribute(relationship, "TargetMode") == "External";
}

// Links `node` into `parent` after the last child named in `before`, or first.
void insertAfterLast(xmlNode* parent, xmlNode* node, std::initializer_list<const char*> before) {
  xmlNode* last = nullptr;
  for (const char* name : before) {
    for (xmlNode* n : XmlPart::children(parent, name)) last = n;
  }
  if (last) {
    xmlAddNextSibling(last, node);
  } else if (parent->children) {
    xmlAddPrevSibling(parent->children, node);
  } else {
    xmlAddChild(parent, node);
  }
}

// Renames sheet `from` to `to` in the formulas (elements "f") below `node`.
bool renameFormulas(xmlNode* node, const std::string& from, const std::string& to) {
  bool changed = false;
  for (xmlNode* n : XmlPart::children(node, "")) {
    if (std::string(reinterpret_cast<const char*>(n->name)) == "f") {
      std::string text = XmlPart::text(n), renamed = SheetReference::renamed(text, from, to);
      if (renamed != text) {
        XmlPart::setText(n, renamed);
        changed = true;
      }
    } else {
      changed = renameFormulas(n, from, to) || changed;
    }
  }
  return changed;
}

// Replaces `parent`'s children named `name` by `keep`, freeing the others.
void replaceChildren(xmlNode* parent, const char* name, const std::vector<xmlNode*>& keep) {
  for (xmlNode* n : XmlPart::children(parent, name)) {
    xmlUnlinkNode(n);
    bool kept = false;
    for (xmlNode* k : keep) kept = kept || k == n;
    if (!kept) xmlFreeNode(n);
  }
  for (xmlNode* n : keep) xmlAddChild(parent, n);
}

}  // namespace

PackageEditor::PackageEditor(const TemplatePackage& package)
    : package_(package), archive_(package.bytes(), package.path()) {
  for (const std::string& entry : package.entries()) taken_.insert(PartName::folded(entry));
  xmlNode* sheets = XmlPart::child(edit(package.workbookPart()).root(), "sheets");
  originals_ = XmlPart::children(sheets, "sheet");
  for (xmlNode* sheet : originals_) {
    nextSheetId_ = std::max(nextSheetId_, std::atoi(XmlPart::attribute(sheet, "sheetId").c_str()) + 1);
  }
}

void PackageEditor::apply(const SheetRequest& request) {
  std::set<std::string> before = reachable();
  std::vector<Made> sheets = makeSheets(request);
  fillSheet(sheets, kDataSheet, WorkbookPlan::kData);
  fillSheet(sheets, kSteeringSheet, WorkbookPlan::kSteering);
  order(sheets);
  defineNames(sheets);
  setActiveTab(sheets);
  renameInCharts();
  markForRecalculation();
  makePlainWorkbook();
  updateProperties();
  std::set<std::string> after = reachable();
  for (const std::string& part : before) {
    if (!after.count(part)) removePart(part);
  }
}

std::vector<WorkbookPlan::Entry> PackageEditor::entries() const {
  std::vector<WorkbookPlan::Entry> list;
  auto emit = [&](const std::string& name, size_t index) {
    if (removed_.count(name)) return;
    auto special = perInstance_.find(name);
    auto xml = edited_.find(name);
    auto bytes = written_.find(name);
    if (special != perInstance_.end()) {
      std::string core = special->second == WorkbookPlan::kCore ? xml->second.serialise() : std::string();
      list.push_back({name, special->second, 0, core});
    } else if (xml != edited_.end()) {
      list.push_back({name, WorkbookPlan::kBytes, 0, xml->second.serialise()});
    } else if (bytes != written_.end()) {
      list.push_back({name, WorkbookPlan::kBytes, 0, bytes->second});
    } else {
      list.push_back({name, WorkbookPlan::kCopy, index, std::string()});
    }
  };
  for (size_t i = 0; i < package_.entries().size(); ++i) emit(package_.entries()[i], i);
  for (const std::string& name : added_) emit(name, 0);
  return list;
}

// ---- Parts -----------------------------------------------------------------

bool PackageEditor::exists(const std::string& part) const {
  if (removed_.count(part)) return false;
  return written_.count(part) || archive_.find(part) >= 0;
}

std::string PackageEditor::content(const std::string& part) const {
  auto it = written_.find(part);
  return it != written_.end() ? it->second : archive_.read(part);
}

XmlPart& PackageEditor::edit(const std::string& part) {
  auto it = edited_.find(part);
  if (it != edited_.end()) return it->second;
  const XmlPart* parsed = written_.count(part) ? nullptr : package_.xml(part);
  XmlPart xml = parsed ? parsed->clone() : XmlPart(content(part), part, package_.path());
  return edited_.emplace(part, std::move(xml)).first->second;
}

const XmlPart* PackageEditor::rels(const std::string& part) const {
  std::string name = PartName::relsOf(part);
  if (removed_.count(name)) return nullptr;
  auto it = edited_.find(name);
  if (it != edited_.end()) return &it->second;
  return written_.count(name) ? nullptr : package_.xml(name);
}

XmlPart& PackageEditor::editRels(const std::string& part) {
  std::string name = PartName::relsOf(part);
  if (exists(name)) return edit(name);
  removed_.erase(name);
  addPart(name, std::string(), std::string());
  return edited_.emplace(name, XmlPart(kEmptyRelationships, name, package_.path())).first->second;
}

void PackageEditor::addPart(const std::string& part, std::string bytes, const std::string& contentType) {
  written_[part] = std::move(bytes);
  added_.push_back(part);
  taken_.insert(PartName::folded(part));
  if (!contentType.empty()) setOverride(part, contentType);
}

void PackageEditor::removePart(const std::string& part) {
  removed_.insert(part);
  removed_.insert(PartName::relsOf(part));
  xmlNode* types = edit(kContentTypes).root();
  for (xmlNode* o : XmlPart::children(types, "Override")) {
    if (sameName(XmlPart::attribute(o, "PartName"), PartName::absolute(part))) {
      xmlUnlinkNode(o);
      xmlFreeNode(o);
    }
  }
}

std::set<std::string> PackageEditor::reachable() const {
  std::set<std::string> seen;
  std::deque<std::string> queue(1, std::string());
  while (!queue.empty()) {
    std::string part = queue.front();
    queue.pop_front();
    const XmlPart* r = rels(part);
    for (xmlNode* rel : r ? XmlPart::children(r->root(), "Relationship") : std::vector<xmlNode*>()) {
      if (external(rel)) continue;
      std::string target = PartName::resolve(part, XmlPart::attribute(rel, "Target"));
      if (exists(target) && seen.insert(target).second) queue.push_back(target);
    }
  }
  return seen;
}

std::string PackageEditor::contentType(const std::string& part) {
  xmlNode* types = edit(kContentTypes).root();
  for (xmlNode* o : XmlPart::children(types, "Override")) {
    if (sameName(XmlPart::attribute(o, "PartName"), PartName::absolute(part))) {
      return XmlPart::attribute(o, "ContentType");
    }
  }
  size_t dot = part.rfind('.');
  std::string extension = dot == std::string::npos ? std::string() : part.substr(dot + 1);
  for (xmlNode* d : XmlPart::children(types, "Default")) {
    if (sameName(XmlPart::attribute(d, "Extension"), extension)) return XmlPart::attribute(d, "ContentType");
  }
  return std::string();
}

void PackageEditor::setOverride(const std::string& part, const std::string& type) {
  xmlNode* types = edit(kContentTypes).root();
  for (xmlNode* o : XmlPart::children(types, "Override")) {
    if (sameName(XmlPart::attribute(o, "PartName"), PartName::absolute(part))) {
      XmlPart::setAttribute(o, "ContentType", type);
      return;
    }
  }
  xmlNode* o = xmlAddChild(types, XmlPart::newElement(types, "Override"));
  XmlPart::setAttribute(o, "PartName", PartName::absolute(part));
  XmlPart::setAttribute(o, "ContentType", type);
}

std::string PackageEditor::addRelationship(const std::string& source, const std::string& type,
                                           const std::string& target) {
  xmlNode* root = editRels(source).root();
  long highest = 0;
  for (xmlNode* r : XmlPart::children(root, "Relationship")) {
    std::string id = XmlPart::attribute(r, "Id");
    if (id.compare(0, 3, "rId") == 0) highest = std::max(highest, std::atol(id.c_str() + 3));
  }
  std::string id = "rId" + std::to_string(highest + 1);
  xmlNode* r = xmlAddChild(root, XmlPart::newElement(root, "Relationship"));
  XmlPart::setAttribute(r, "Id", id);
  XmlPart::setAttribute(r, "Type", type);
  XmlPart::setAttribute(r, "Target", PartName::relative(source, target));
  return id;
}

void PackageEditor::removeRelationship(const std::string& source, const std::string& id) {
  for (xmlNode* r : XmlPart::children(editRels(source).root(), "Relationship")) {
    if (XmlPart::attribute(r, "Id") != id) continue;
    xmlUnlinkNode(r);
    xmlFreeNode(r);
  }
}

// ---- Sheets ----------------------------------------------------------------

std::vector<PackageEditor::Made> PackageEditor::makeSheets(const SheetRequest& request) {
  std::vector<bool> used(originals_.size(), false);
  std::vector<Made> made;
  std::set<std::string> names;
  int first = -1;
  for (const SheetRequest::Sheet& s : request.sheets) {
    int k = package_.sheetIndex(s.source);
    if (k < 0) throw WorkbookError("Template lacks sheet '" + s.source + "': " + package_.path());
    xmlNode* node = used[k] ? copySheet(k, s.name) : originals_[k];
    if (!used[k]) {
      renames_.emplace_back(package_.sheets()[k].name, s.name);
      XmlPart::setAttribute(node, "name", s.name);
    }
    XmlPart::removeAttribute(node, "state");
    made.push_back({node, used[k] ? -1 : k, k, s.frame});
    used[k] = true;
    names.insert(PartName::folded(s.name));
    if (first < 0 || k < first) first = k;
  }
  std::vector<Made> sheets;
  for (size_t k = 0; k < originals_.size(); ++k) {
    if (static_cast<int>(k) == first) sheets.insert(sheets.end(), made.begin(), made.end());
    if (used[k]) continue;
    if (names.count(PartName::folded(package_.sheets()[k].name))) {
      // A sheet of the template under a name the request gives another: replaced.
      removeRelationship(package_.workbookPart(), XmlPart::attribute(originals_[k], "id"));
      removePart(package_.sheets()[k].part);
      continue;
    }
    sheets.push_back({originals_[k], static_cast<int>(k), static_cast<int>(k), -1});
  }
  return sheets;
}

xmlNode* PackageEditor::copySheet(int original, const std::string& name) {
  const TemplatePackage::Sheet& source = package_.sheets()[original];
  std::string type = kWorksheetRelationship;
  for (xmlNode* r : XmlPart::children(rels(package_.workbookPart())->root(), "Relationship")) {
    if (XmlPart::attribute(r, "Id") == XmlPart::attribute(originals_[original], "id")) {
      type = XmlPart::attribute(r, "Type");
    }
  }
  std::map<std::string, std::string> copies;
  std::string part = copyPart(source.part, type, source.name, name, copies);
  std::string id = addRelationship(package_.workbookPart(), type, part);
  xmlNode* node = XmlPart::copyElement(originals_[original]);
  XmlPart::setAttribute(node, "name", name);
  XmlPart::setAttribute(node, "sheetId", std::to_string(nextSheetId_++));
  XmlPart::setAttribute(node, "id", id);
  return node;
}

std::string PackageEditor::copyPart(const std::string& part, const std::string& type, const std::string& from,
                                    const std::string& to, std::map<std::string, std::string>& copies) {
  auto done = copies.find(part);
  if (done != copies.end()) return done->second;
  std::string copy = PartName::numbered(part, taken_);
  copies[part] = copy;
  std::string overridden;
  for (xmlNode* o : XmlPart::children(edit(kContentTypes).root(), "Override")) {
    if (sameName(XmlPart::attribute(o, "PartName"), PartName::absolute(part))) {
      overridden = XmlPart::attribute(o, "ContentType");
    }
  }
  addPart(copy, content(part), overridden);
  fitCopy(copy, type, from, to);
  const XmlPart* sourceRels = rels(part);
  if (!sourceRels) return copy;
  XmlPart copiedRels = sourceRels->clone();
  for (xmlNode* r : XmlPart::children(copiedRels.root(), "Relationship")) {
    std::string target = PartName::resolve(part, XmlPart::attribute(r, "Target"));
    if (external(r) || !exists(target)) continue;
    std::string relType = XmlPart::attribute(r, "Type");
    bool shared = false;
    for (const char* kind : kSharedTargets) shared = shared || endsWith(relType, kind);
    std::string copiedTarget = shared ? target : copyPart(target, relType, from, to, copies);
    XmlPart::setAttribute(r, "Target", PartName::relative(copy, copiedTarget));
  }
  std::string relsName = PartName::relsOf(copy);
  addPart(relsName, std::string(), std::string());
  edited_.emplace(relsName, std::move(copiedRels));
  return copy;
}

// A copied part made fit to stand beside its source: a sheet not selected and
// without the source's code name, a table with its own id and name, a chart
// reading the copied sheet.
void PackageEditor::fitCopy(const std::string& part, const std::string& type, const std::string& from,
                            const std::string& to) {
  if (endsWith(type, "/worksheet")) {
    xmlNode* root = edit(part).root();
    for (xmlNode* view : XmlPart::children(XmlPart::child(root, "sheetViews"), "sheetView")) {
      XmlPart::removeAttribute(view, "tabSelected");
    }
    if (xmlNode* properties = XmlPart::child(root, "sheetPr")) XmlPart::removeAttribute(properties, "codeName");
  } else if (endsWith(type, "/table")) {
    if (nextTableId_ == 0) {
      nextTableId_ = 1;
      for (const std::string& entry : package_.entries()) {
        if (contentType(entry) != kTableType) continue;
        xmlNode* table = edit(entry).root();
        nextTableId_ = std::max(nextTableId_, std::atoi(XmlPart::attribute(table, "id").c_str()) + 1);
        tableNames_.insert(PartName::folded(XmlPart::attribute(table, "name")));
      }
    }
    xmlNode* table = edit(part).root();
    std::string base = XmlPart::attribute(table, "name"), name = base;
    for (int n = 2; tableNames_.count(PartName::folded(name)); ++n) name = base + "_" + std::to_string(n);
    tableNames_.insert(PartName::folded(name));
    XmlPart::setAttribute(table, "id", std::to_string(nextTableId_++));
    XmlPart::setAttribute(table, "name", name);
    XmlPart::setAttribute(table, "displayName", name);
  } else if (endsWith(type, "/chart")) {
    renameFormulas(edit(part).root(), from, to);
  }
}

void PackageEditor::fillSheet(std::vector<Made>& sheets, const char* name, WorkbookPlan::Source source) {
  const std::string& workbook = package_.workbookPart();
  std::string type = kWorksheetRelationship;
  for (xmlNode* r : XmlPart::children(rels(workbook)->root(), "Relationship")) {
    if (TemplatePackage::hasType(r, "/worksheet")) type = XmlPart::attribute(r, "Type");
  }
  for (Made& m : sheets) {
    if (!sameName(XmlPart::attribute(m.node, "name"), name)) continue;
    // The template's sheet of that name (whatever it was) becomes the new sheet.
    std::string part;
    for (xmlNode* r : XmlPart::children(editRels(workbook).root(), "Relationship")) {
      if (XmlPart::attribute(r, "Id") != XmlPart::attribute(m.node, "id")) continue;
      part = PartName::resolve(workbook, XmlPart::attribute(r, "Target"));
      XmlPart::setAttribute(r, "Type", type);
    }
    XmlPart::setAttribute(m.node, "name", name);
    perInstance_[part] = source;
    setOverride(part, kWorksheetType);
    removed_.insert(PartName::relsOf(part));
    return;
  }
  std::string part = PartName::numbered(PartName::resolve(workbook, "worksheets/sheet1.xml"), taken_);
  addPart(part, std::string(), kWorksheetType);
  perInstance_[part] = source;
  xmlNode* node = XmlPart::copyElement(originals_.front());
  XmlPart::removeAttribute(node, "state");
  XmlPart::setAttribute(node, "name", name);
  XmlPart::setAttribute(node, "sheetId", std::to_string(nextSheetId_++));
  XmlPart::setAttribute(node, "id", addRelationship(workbook, type, part));
  sheets.push_back({node, -1, -1, -1});
}

void PackageEditor::order(const std::vector<Made>& sheets) {
  std::vector<xmlNode*> nodes;
  for (const Made& m : sheets) nodes.push_back(m.node);
  replaceChildren(originals_.front()->parent, "sheet", nodes);
}

void PackageEditor::renameInCharts() {
  if (renames_.empty()) return;
  std::vector<std::string> parts(package_.entries().begin(), package_.entries().end());
  parts.insert(parts.end(), added_.begin(), added_.end());
  for (const std::string& part : parts) {
    if (!exists(part) || contentType(part) != kChartType) continue;
    bool editedBefore = edited_.count(part) > 0;
    bool changed = false;
    for (const auto& rename : renames_) changed = renameFormulas(edit(part).root(), rename.first, rename.second) || changed;
    if (!changed && !editedBefore) edited_.erase(part);
  }
}

// ---- Workbook settings -----------------------------------------------------

// Names keep to their sheets: local names follow their sheet's new position
// (and are copied with a copied sheet), references follow renamed sheets,
// names of removed sheets go, and each frame sheet gets its FrameNumber.
void PackageEditor::defineNames(const std::vector<Made>& sheets) {
  xmlNode* root = edit(package_.workbookPart()).root();
  xmlNode* names = XmlPart::child(root, "definedNames");
  std::map<int, int> position;
  for (size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].original >= 0) position[sheets[i].original] = static_cast<int>(i);
  }
  auto renamedAll = [&](std::string text) {
    for (const auto& rename : renames_) text = SheetReference::renamed(text, rename.first, rename.second);
    return text;
  };
  std::vector<xmlNode*> kept;
  for (xmlNode* d : XmlPart::children(names, "definedName")) {
    std::string text = XmlPart::text(d);
    bool local = XmlPart::hasAttribute(d, "localSheetId");
    int sheet = std::atoi(XmlPart::attribute(d, "localSheetId").c_str());
    for (size_t i = 0; i < sheets.size(); ++i) {
      if (!local || sheets[i].original >= 0 || sheets[i].source != sheet) continue;
      xmlNode* copy = XmlPart::copyElement(d);
      XmlPart::setAttribute(copy, "localSheetId", std::to_string(i));
      std::string name = XmlPart::attribute(sheets[i].node, "name");
      XmlPart::setText(copy, renamedAll(SheetReference::renamed(text, package_.sheets()[sheet].name, name)));
      kept.push_back(copy);
    }
    if (local && !position.count(sheet)) continue;
    if (local) XmlPart::setAttribute(d, "localSheetId", std::to_string(position[sheet]));
    if (renamedAll(text) != text) XmlPart::setText(d, renamedAll(text));
    kept.push_back(d);
  }
  for (size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].frame < 0) continue;
    for (auto it = kept.begin(); it != kept.end();) {
      bool same = sameName(XmlPart::attribute(*it, "name"), kFrameNumber) &&
                  XmlPart::attribute(*it, "localSheetId") == std::to_string(i);
      if (same) xmlFreeNode(*it);
      it = same ? kept.erase(it) : it + 1;
    }
    xmlNode* frame = XmlPart::newElement(root, "definedName");
    XmlPart::setAttribute(frame, "name", kFrameNumber);
    XmlPart::setAttribute(frame, "localSheetId", std::to_string(i));
    XmlPart::setText(frame, std::to_string(sheets[i].frame));
    kept.push_back(frame);
  }
  if (!names && kept.empty()) return;
  if (!names) {
    names = XmlPart::newElement(root, "definedNames");
    insertAfterLast(root, names, {"sheets", "functionGroups", "externalReferences"});
  }
  replaceChildren(names, "definedName", kept);
}

void PackageEditor::setActiveTab(const std::vector<Made>& sheets) {
  xmlNode* root = edit(package_.workbookPart()).root();
  xmlNode* view = XmlPart::child(XmlPart::child(root, "bookViews"), "workbookView");
  if (!view) return;
  int active = std::atoi(XmlPart::attribute(view, "activeTab").c_str()), chosen = -1;
  for (size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].original == active) chosen = static_cast<int>(i);
  }
  auto visible = [&](int i) {
    std::string state = XmlPart::attribute(sheets[i].node, "state");
    return state.empty() || state == "visible";
  };
  for (size_t i = 0; (chosen < 0 || !visible(chosen)) && i < sheets.size(); ++i) {
    if (visible(static_cast<int>(i))) chosen = static_cast<int>(i);
  }
  XmlPart::setAttribute(view, "activeTab", std::to_string(std::max(chosen, 0)));
  XmlPart::removeAttribute(view, "firstSheet");
}

void PackageEditor::markForRecalculation() {
  xmlNode* root = edit(package_.workbookPart()).root();
  xmlNode* calc = XmlPart::child(root, "calcPr");
  if (!calc) {
    calc = XmlPart::newElement(root, "calcPr");
    insertAfterLast(root, calc, {"sheets", "functionGroups", "externalReferences", "definedNames"});
  }
  XmlPart::setAttribute(calc, "fullCalcOnLoad", "1");
  // The calculation chain lists the template's formula cells; the spreadsheet
  // makes a new one.
  xmlNode* rels = editRels(package_.workbookPart()).root();
  for (xmlNode* r : XmlPart::children(rels, "Relationship")) {
    if (TemplatePackage::hasType(r, "/calcChain")) {
      xmlUnlinkNode(r);
      xmlFreeNode(r);
    }
  }
}

void PackageEditor::makePlainWorkbook() {
  const std::string& part = package_.workbookPart();
  std::string type = contentType(part);
  bool known = type.empty();
  for (const char* main : kWorkbookMainTypes) known = known || type == main;
  if (known) setOverride(part, package_.macros() ? kMacroSheetMain : kSheetMain);
}

// The extended properties list the template's sheets, which are not the
// workbook's: the list goes (the spreadsheet writes a new one). The core
// properties get the time of writing.
void PackageEditor::updateProperties() {
  if (!package_.appPart().empty() && exists(package_.appPart())) {
    xmlNode* root = edit(package_.appPart()).root();
    for (const char* list : {"HeadingPairs", "TitlesOfParts"}) {
      for (xmlNode* n : XmlPart::children(root, list)) {
        xmlUnlinkNode(n);
        xmlFreeNode(n);
      }
    }
  }
  if (package_.corePart().empty() || !exists(package_.corePart())) return;
  XmlPart& core = edit(package_.corePart());
  xmlNode* root = core.root();
  for (const char* name : {"created", "modified"}) {
    xmlNode* node = XmlPart::child(root, name);
    if (!node) {
      xmlNs* terms = xmlSearchNsByHref(root->doc, root, x(kDcTerms));
      if (!terms) terms = xmlNewNs(root, x(kDcTerms), x("dcterms"));
      xmlNs* xsi = xmlSearchNsByHref(root->doc, root, x(kXsi));
      if (!xsi) xsi = xmlNewNs(root, x(kXsi), x("xsi"));
      node = xmlNewChild(root, terms, x(name), nullptr);
      const char* prefix = terms->prefix ? reinterpret_cast<const char*>(terms->prefix) : "dcterms";
      std::string w3c = std::string(prefix) + ":W3CDTF";
      xmlNewNsProp(node, xsi, x("type"), x(w3c.c_str()));
    }
    XmlPart::setText(node, WorkbookPlan::kTimeMark);
  }
  perInstance_[package_.corePart()] = WorkbookPlan::kCore;
}
