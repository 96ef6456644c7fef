// XmlPart: one XML part of a workbook package, parsed with libxml2 (no
// network, no DTD, no entity substitution), edited in place and written back
// as UTF-8. Elements are found by local name, whatever their namespace, so
// that transitional and strict packages read alike. Owns its document;
// copies are explicit (clone). Parse errors throw WorkbookError naming the
// part and the file. Not shared between threads while edited.
#ifndef TARNEL_WORKBOOK_XMLPART_H_
#define TARNEL_WORKBOOK_XMLPART_H_

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <vector>

class XmlPart {
 public:
  // Parses `bytes`, the part `partName` of `file`.
  XmlPart(const std::string& bytes, const std::string& partName, const std::string& file);
  XmlPart(XmlPart&&) = default;
  XmlPart& operator=(XmlPart&&) = default;

  XmlPart clone() const;
  std::string serialise() const;

  xmlNode* root() const { return xmlDocGetRootElement(doc_.get()); }

  // Element children of `parent` with local name `name` ("" for all).
  static std::vector<xmlNode*> children(const xmlNode* parent, const char* name);
  // The first of them, or null.
  static xmlNode* child(const xmlNode* parent, const char* name);
  // Attribute `name` (local name, any namespace); "" when absent.
  static std::string attribute(const xmlNode* node, const char* name);
  static bool hasAttribute(const xmlNode* node, const char* name);
  // Sets attribute `name` (in no namespace, or the namespace it already has).
  static void setAttribute(xmlNode* node, const char* name, const std::string& value);
  static void removeAttribute(xmlNode* node, const char* name);
  // The element's text content.
  static std::string text(const xmlNode* node);
  static void setText(xmlNode* node, const std::string& text);
  // A new element named `name` in `parent`'s namespace, not yet linked.
  static xmlNode* newElement(xmlNode* parent, const char* name);
  // A copy of `node` (with its attributes and text) for the same document,
  // using the document's namespace declarations; not yet linked.
  static xmlNode* copyElement(const xmlNode* node);

  // libxml2 set up for use from several threads; called before any parse.
  static void initialise();

 private:
  struct FreeDoc {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
  };
  explicit XmlPart(xmlDoc* doc) : doc_(doc) {}

  std::unique_ptr<xmlDoc, FreeDoc> doc_;
};

#endif  // TARNEL_WORKBOOK_XMLPART_H_
