#include "analysis/Histogram.h"

#include <algorithm>

void Histogram::Add(int value, const char* label) {
  if (total_ == 0) {
    smallest_ = value;
    largest_ = value;
  } else {
    smallest_ = std::min(smallest_, value);
    largest_ = std::max(largest_, value);
  }
  ++total_;
  sum_ += value;

  for (Entry& e : entries_) {
    if (e.value == value) {
      ++e.frequency;
      return;
    }
  }
  Entry entry{value, TextString(label), 1};
  if (frequencyOrder_) {
    entries_.push_back(std::move(entry));
    return;
  }
  auto at = std::find_if(entries_.begin(), entries_.end(),
                         [value](const Entry& e) { return e.value > value; });
  entries_.insert(at, std::move(entry));
}

int Histogram::Frequency(int value) const {
  for (const Entry& e : entries_) {
    if (e.value == value) return e.frequency;
  }
  return 0;
}
