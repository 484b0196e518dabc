#pragma once
// The handle of one subscription, returned when a callback is added and given back to remove it.

class VexCallback {
 public:
  VexCallback() = default;
  explicit VexCallback(long id) : id_(id) {}

  /// The subscription's number; 0 for a handle that names none.
  long GetId() const { return id_; }
  bool IsValid() const { return id_ != 0; }

  friend bool operator==(const VexCallback& a, const VexCallback& b) { return a.id_ == b.id_; }

 private:
  long id_ = 0;
};
