#include "analysis/Histogram.h"

#include <algorithm>
#include <cstdint>

void Histogram::AddUnplaced(int value, const char* label) {
  const bool indexed = value >= 0 && value < kIndexedValues;
  if (!indexed) {
    const auto found = frequencyOrder_
                           ? std::find_if(entries_.begin(), entries_.end(),
                                          [value](const Entry& e) { return e.value == value; })
                           : std::lower_bound(entries_.begin(), entries_.end(), value,
                                              [](const Entry& e, int v) { return e.value < v; });
    if (found != entries_.end() && found->value == value) {
      ++found->frequency;
      return;
    }
  }
  // A new value.
  if (frequencyOrder_) {
    entries_.push_back(Entry{value, TextString(label), 1});
  } else {
    // Some histograms count every first word's closing character: the place
    // is found by halving.
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), value,
                                     [](const Entry& e, int v) { return e.value < v; });
    entries_.insert(at, Entry{value, TextString(label), 1});
  }
  Reindex();
}

void Histogram::Reindex() {
  place_.assign(kIndexedValues, -1);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const int v = entries_[i].value;
    if (v >= 0 && v < kIndexedValues) place_[static_cast<std::size_t>(v)] = static_cast<int>(i);
  }
}

void Histogram::SortByFrequency() {
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.frequency > b.frequency; });
  frequencyOrder_ = true;
  Reindex();
}

void Histogram::SortByValue() {
  std::sort(entries_.begin(), entries_.end(),
            [](const Entry& a, const Entry& b) { return a.value < b.value; });
  frequencyOrder_ = false;
  Reindex();
}

const Histogram::Entry* Histogram::EntryAtRank(int rank) {
  SortByFrequency();
  if (rank < 1 || rank > Distinct()) return nullptr;
  return &entries_[static_cast<std::size_t>(rank - 1)];
}

std::int64_t Histogram::CumulativeFrequency(int rank) {
  SortByFrequency();
  std::int64_t sum = 0;
  for (int r = 0; r < rank && r < Distinct(); ++r) {
    sum += entries_[static_cast<std::size_t>(r)].frequency;
  }
  return sum;
}

int Histogram::Percentile(int percent) {
  if (entries_.empty()) return 0;
  SortByValue();
  // Shares are compared as 100 * count against percent * total, so that no
  // rounding decides whether a share is reached.
  const std::int64_t target = static_cast<std::int64_t>(percent) * total_;
  std::int64_t before = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::int64_t after = before + entries_[i].frequency;
    if (100 * after >= target) {
      if (i == 0) return entries_[i].value;
      const double low = entries_[i - 1].value;
      const double high = entries_[i].value;
      const double fraction =
          static_cast<double>(target - 100 * before) / static_cast<double>(100 * (after - before));
      return static_cast<int>(low + (high - low) * fraction);
    }
    before = after;
  }
  return entries_.back().value;
}

int Histogram::Frequency(int value) const {
  for (const Entry& e : entries_) {
    if (e.value == value) return e.frequency;
  }
  return 0;
}
