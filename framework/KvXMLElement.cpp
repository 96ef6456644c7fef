#include "framework/KvXMLElement.h"

KvXMLElement::KvXMLElement(RWEString name, int line) : name_(std::move(name)), line_(line) {}

KvXMLElement::~KvXMLElement() = default;

// Calls visit(element) for each element at path[from..] below this one, in
// document order; visit returns false to stop the walk.
template <typename Visit>
void KvXMLElement::walk(const std::string& path, size_t from, Visit& visit) const {
  size_t dot = path.find('.', from);
  size_t length = (dot == std::string::npos ? path.size() : dot) - from;
  for (const auto& child : children_) {
    const std::string& n = child->name_.str();
    if (n.size() != length || path.compare(from, length, n) != 0) continue;
    if (dot == std::string::npos) {
      if (!visit(child.get())) return;
    } else {
      child->walk(path, dot + 1, visit);
    }
  }
}

KvXMLElement* KvXMLElement::getNamedElement(const RWEString& path) const {
  KvXMLElement* found = nullptr;
  auto first = [&found](KvXMLElement* e) {
    if (!found) found = e;
    return false;
  };
  walk(path.str(), 0, first);
  return found;
}

RWOrdered KvXMLElement::getNamedElements(const RWEString& path) const {
  RWOrdered found;
  auto all = [&found](KvXMLElement* e) {
    found.insert(e);
    return true;
  };
  walk(path.str(), 0, all);
  return found;
}

KvXMLAttr* KvXMLElement::getAttributeNode(const RWEString& name) const {
  for (const auto& a : attributes_) {
    if (a->name == name) return a.get();
  }
  return nullptr;
}

const RWEString& KvXMLElement::attribute(const RWEString& name) const {
  KvXMLAttr* a = getAttributeNode(name);
  return a ? a->value : RWEString::_nullString;
}

KvXMLCharacterData* KvXMLElement::getCharacterData(int& index) const {
  if (index != 0) return nullptr;
  if (!characterData_ && rowValues_) {
    characterData_ = std::make_unique<KvXMLCharacterData>();
    bool first = true;
    for (const RWEString& v : *rowValues_) {
      if (!first) characterData_->text += '|';
      characterData_->text += v;
      first = false;
    }
  }
  return characterData_.get();
}

void KvXMLElement::setAttribute(const RWEString& name, const RWEString& value) {
  if (KvXMLAttr* a = getAttributeNode(name)) {
    a->value = value;
    return;
  }
  attributes_.push_back(std::make_unique<KvXMLAttr>(KvXMLAttr{name, value}));
}

void KvXMLElement::appendCharacterData(const RWEString& text) {
  if (!characterData_) characterData_ = std::make_unique<KvXMLCharacterData>();
  characterData_->text += text;
}

KvXMLElement* KvXMLElement::addChild(std::unique_ptr<KvXMLElement> child) {
  children_.push_back(std::move(child));
  return children_.back().get();
}

KvXMLElement* KvXMLElement::addChild(const RWEString& name) {
  return addChild(std::make_unique<KvXMLElement>(name));
}

void KvXMLElement::setRowValues(RWEStringCollection values) {
  rowValues_ = std::make_unique<RWEStringCollection>(std::move(values));
  characterData_.reset();
}
