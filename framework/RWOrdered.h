// RWOrdered: an ordered list of element pointers, as getNamedElements returns
// them. It does not own the elements; they live as long as their document.
// RWOrderedIterator walks it: each call returns the next element, then null.
#ifndef TARNEL_FRAMEWORK_RWORDERED_H_
#define TARNEL_FRAMEWORK_RWORDERED_H_

#include <cstddef>
#include <vector>

class KvXMLElement;

class RWOrdered {
 public:
  size_t entries() const { return items_.size(); }
  bool isEmpty() const { return items_.empty(); }
  KvXMLElement* operator()(size_t i) const { return items_[i]; }
  KvXMLElement* at(size_t i) const { return items_[i]; }
  void insert(KvXMLElement* e) { items_.push_back(e); }

  std::vector<KvXMLElement*>::const_iterator begin() const { return items_.begin(); }
  std::vector<KvXMLElement*>::const_iterator end() const { return items_.end(); }

 private:
  std::vector<KvXMLElement*> items_;
};

class RWOrderedIterator {
 public:
  explicit RWOrderedIterator(const RWOrdered& list) : list_(list) {}
  // The next element, or null past the last one.
  KvXMLElement* operator()() { return next_ < list_.entries() ? list_(next_++) : nullptr; }
  void reset() { next_ = 0; }

 private:
  const RWOrdered& list_;
  size_t next_ = 0;
};

#endif  // TARNEL_FRAMEWORK_RWORDERED_H_
