#include "workbook/XmlPart.h"

#include <libxml/parser.h>

#include <cstring>
#include <mutex>

#include "workbook/WorkbookError.h"

namespace {

const int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;

const xmlChar* x(const char* s) { return reinterpret_cast<const xmlChar*>(s); }
const char* c(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

bool named(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && (!*name || std::strcmp(c(node->name), name) == 0);
}

xmlAttr* findAttribute(const xmlNode* node, const char* name) {
  for (xmlAttr* a = node->properties; a; a = a->next) {
    if (std::strcmp(c(a->name), name) == 0) return a;
  }
  return nullptr;
}

}  // namespace

void XmlPart::initialise() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
}

XmlPart::XmlPart(const std::string& bytes, const std::string& partName, const std::string& file) {
  initialise();
  doc_.reset(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), partName.c_str(), nullptr,
                           kParseOptions));
  if (!doc_ || !root()) {
    throw WorkbookError("Part " + partName + " is not well-formed XML in " + file);
  }
  if (xmlGetIntSubset(doc_.get())) {
    throw WorkbookError("Part " + partName + " has a document type declaration in " + file);
  }
}

XmlPart XmlPart::clone() const { return XmlPart(xmlCopyDoc(doc_.get(), 1)); }

std::string XmlPart::serialise() const {
  xmlChar* memory = nullptr;
  int size = 0;
  xmlDocDumpMemoryEnc(doc_.get(), &memory, &size, "UTF-8");
  std::string out(memory ? c(memory) : "", memory ? static_cast<size_t>(size) : 0);
  xmlFree(memory);
  return out;
}

std::vector<xmlNode*> XmlPart::children(const xmlNode* parent, const char* name) {
  std::vector<xmlNode*> list;
  for (xmlNode* n = parent ? parent->children : nullptr; n; n = n->next) {
    if (named(n, name)) list.push_back(n);
  }
  return list;
}

xmlNode* XmlPart::child(const xmlNode* parent, const char* name) {
  for (xmlNode* n = parent ? parent->children : nullptr; n; n = n->next) {
    if (named(n, name)) return n;
  }
  return nullptr;
}

std::string XmlPart::attribute(const xmlNode* node, const char* name) {
  xmlAttr* a = findAttribute(node, name);
  if (!a) return std::string();
  xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
  std::string out(value ? c(value) : "");
  xmlFree(value);
  return out;
}

bool XmlPart::hasAttribute(const xmlNode* node, const char* name) {
  return findAttribute(node, name) != nullptr;
}

void XmlPart::setAttribute(xmlNode* node, const char* name, const std::string& value) {
  xmlAttr* a = findAttribute(node, name);
  if (a && a->ns) {
    xmlSetNsProp(node, a->ns, x(name), x(value.c_str()));
  } else {
    xmlSetProp(node, x(name), x(value.c_str()));
  }
}

void XmlPart::removeAttribute(xmlNode* node, const char* name) {
  if (xmlAttr* a = findAttribute(node, name)) xmlRemoveProp(a);
}

std::string XmlPart::text(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string out(content ? c(content) : "");
  xmlFree(content);
  return out;
}

void XmlPart::setText(xmlNode* node, const std::string& text) {
  xmlNodeSetContent(node, nullptr);
  xmlAddChild(node, xmlNewDocText(node->doc, x(text.c_str())));
}

xmlNode* XmlPart::newElement(xmlNode* parent, const char* name) {
  return xmlNewDocNode(parent->doc, parent->ns, x(name), nullptr);
}

xmlNode* XmlPart::copyElement(const xmlNode* node) {
  xmlNode* copy = xmlDocCopyNode(const_cast<xmlNode*>(node), node->doc, 1);
  // The copy declares the namespaces it uses again; the document already does.
  xmlFreeNsList(copy->nsDef);
  copy->nsDef = nullptr;
  copy->ns = node->ns;
  for (xmlAttr *a = copy->properties, *b = node->properties; a && b; a = a->next, b = b->next) a->ns = b->ns;
  return copy;
}
