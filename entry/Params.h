#pragma once

#include <cstdint>
#include <vector>

// The argument positions (1-based) that were switches. It grows as needed, so any number
// of switches works.
class tParams {
 public:
  void Add(int32_t position) { positions_.push_back(position); }
  bool Contains(int32_t position) const {
    for (int32_t p : positions_)
      if (p == position) return true;
    return false;
  }
  int32_t Count() const { return static_cast<int32_t>(positions_.size()); }

 private:
  std::vector<int32_t> positions_;
};
