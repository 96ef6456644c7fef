// KvXMLElement: one element of an XML tree, either of a report configuration
// (parsed by XMLDocument) or of a query result (built by ResultDocument).
// An element owns its children. Dotted paths such as "TEMPLATES.TEMPLATE" walk
// child names from the element they are asked on. Result rows also keep their
// values apart (rowValues) so that a value holding the separator stays intact;
// their character data is the values joined by '|', made when first asked for.
// Not copyable; not thread-safe for writes, safe for concurrent reads of a
// configuration tree once its character data has been read.
#ifndef TARNEL_FRAMEWORK_KVXMLELEMENT_H_
#define TARNEL_FRAMEWORK_KVXMLELEMENT_H_

#include <memory>
#include <vector>

#include "framework/RWEString.h"
#include "framework/RWEStringCollection.h"
#include "framework/RWOrdered.h"

struct KvXMLAttr {
  RWEString name;
  RWEString value;
};

struct KvXMLCharacterData {
  RWEString text;
};

class KvXMLElement {
 public:
  explicit KvXMLElement(RWEString name, int line = 0);
  virtual ~KvXMLElement();
  KvXMLElement(const KvXMLElement&) = delete;
  KvXMLElement& operator=(const KvXMLElement&) = delete;

  const RWEString& name() const { return name_; }
  // Line of the element's start tag in its source file; 0 for built elements.
  int line() const { return line_; }

  // First element at the dotted path below this one; null when none.
  KvXMLElement* getNamedElement(const RWEString& path) const;
  // Every element at the dotted path below this one, in document order.
  RWOrdered getNamedElements(const RWEString& path) const;
  // The named attribute; null when absent.
  KvXMLAttr* getAttributeNode(const RWEString& name) const;
  // The value of the named attribute; the empty string when absent.
  const RWEString& attribute(const RWEString& name) const;
  // Character data number `index` (only 0 exists); null when the element has none.
  KvXMLCharacterData* getCharacterData(int& index) const;

  void setAttribute(const RWEString& name, const RWEString& value);
  void appendCharacterData(const RWEString& text);
  KvXMLElement* addChild(std::unique_ptr<KvXMLElement> child);
  KvXMLElement* addChild(const RWEString& name);
  const std::vector<std::unique_ptr<KvXMLElement>>& children() const { return children_; }
  const std::vector<std::unique_ptr<KvXMLAttr>>& attributes() const { return attributes_; }

  // Values of a result row, kept apart; null for other elements.
  RWEStringCollection* rowValues() const { return rowValues_.get(); }
  void setRowValues(RWEStringCollection values);

 private:
  template <typename Visit>
  void walk(const std::string& path, size_t from, Visit& visit) const;

  RWEString name_;
  int line_;
  std::vector<std::unique_ptr<KvXMLAttr>> attributes_;
  std::vector<std::unique_ptr<KvXMLElement>> children_;
  mutable std::unique_ptr<KvXMLCharacterData> characterData_;
  std::unique_ptr<RWEStringCollection> rowValues_;
};

#endif  // TARNEL_FRAMEWORK_KVXMLELEMENT_H_
