// SmartPtr: shared ownership of a heap object through a counted record. The
// record starts with a count of 1; detachCountedPtr drops this holder's
// reference and deletes the object, through its virtual destructor, when the
// last one goes. Copies share the record; the count is atomic.
#ifndef TARNEL_FRAMEWORK_SMARTPTR_H_
#define TARNEL_FRAMEWORK_SMARTPTR_H_

#include <atomic>

class RWAtomicReferenceCount {
 public:
  explicit RWAtomicReferenceCount(int initial = 1) : count_(initial) {}
  void addReference() { count_.fetch_add(1, std::memory_order_relaxed); }
  // Drops one reference; returns the count left.
  int removeReference() { return count_.fetch_sub(1, std::memory_order_acq_rel) - 1; }
  int references() const { return count_.load(); }

 private:
  std::atomic<int> count_;
};

template <typename T>
class SmartPtr {
 public:
  SmartPtr() = default;
  // Takes ownership of `object` (null allowed).
  explicit SmartPtr(T* object) : record_(object ? new Record(object) : nullptr) {}
  SmartPtr(const SmartPtr& other) : record_(other.record_) {
    if (record_) record_->count.addReference();
  }
  SmartPtr(SmartPtr&& other) noexcept : record_(other.record_) { other.record_ = nullptr; }
  SmartPtr& operator=(SmartPtr other) noexcept {
    std::swap(record_, other.record_);
    return *this;
  }
  ~SmartPtr() { detachCountedPtr(); }

  // Drops this holder's reference; the object is deleted with the last one.
  void detachCountedPtr() {
    if (record_ && record_->count.removeReference() == 0) {
      delete record_->object;
      delete record_;
    }
    record_ = nullptr;
  }

  T* get() const { return record_ ? record_->object : nullptr; }
  T* operator->() const { return get(); }
  T& operator*() const { return *get(); }
  explicit operator bool() const { return get() != nullptr; }

 private:
  struct Record {
    explicit Record(T* o) : object(o) {}
    RWAtomicReferenceCount count;
    T* object;
  };
  Record* record_ = nullptr;
};

#endif  // TARNEL_FRAMEWORK_SMARTPTR_H_
