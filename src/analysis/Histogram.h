#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "text/TextString.h"

// A distribution of integer values (indents, line lengths, characters), with
// an optional label per value. Entries stand in ascending value order until
// a rank is asked for, which puts them in descending frequency order; a
// percentile puts them back in value order.
//
// Plain value type: copying copies every entry.
class Histogram {
 public:
  struct Entry {
    int value = 0;
    TextString label;
    int frequency = 0;
  };

  // Counts one occurrence of `value`. A new value gets an entry of
  // frequency 1 labelled `label` (null = none), inserted in value order, or
  // appended while the entries are in frequency order; a known value keeps
  // its first label.
  // Inline: lengths and indents are counted for every line of the analysis.
  void Add(int value, const char* label = nullptr) {
    smallest_ = std::min(smallest_, value);
    largest_ = std::max(largest_, value);
    ++total_;
    sum_ += value;
    if (value >= 0 && value < kIndexedValues && !place_.empty()) {
      const int at = place_[static_cast<std::size_t>(value)];
      if (at >= 0) {
        ++entries_[static_cast<std::size_t>(at)].frequency;
        return;
      }
    }
    AddUnplaced(value, label);
  }

  // Puts the entries in descending frequency order. Entries of equal
  // frequency keep their present order, so ties go to the smaller value
  // while the entries stand in value order.
  void SortByFrequency();
  // Puts the entries in ascending value order.
  void SortByValue();

  // The entry at rank `rank` (1 = most frequent), after SortByFrequency; null
  // when `rank` is below 1 or above the number of entries. The pointer is
  // valid until the histogram next changes.
  const Entry* EntryAtRank(int rank);
  // The sum of the frequencies of ranks 1 to `rank`, after SortByFrequency:
  // Total() when `rank` exceeds the number of entries, 0 when it is below 1
  // and for an empty histogram.
  std::int64_t CumulativeFrequency(int rank);
  // After SortByValue, the value at which the running share of Total()
  // reaches `percent` percent, interpolated linearly from the entry before
  // by how far `percent` lies between the two running shares and truncated
  // towards zero. The first entry gives its own value; a percentage never
  // reached (above 100) gives the largest value; an empty histogram gives 0.
  int Percentile(int percent);

  // Occurrences of `value` (0 when never added).
  int Frequency(int value) const;
  // Number of additions.
  int Total() const { return total_; }
  // Number of distinct values.
  int Distinct() const { return static_cast<int>(entries_.size()); }
  // Sum of every value added (64 bits: input-derived values never overflow).
  std::int64_t Sum() const { return sum_; }
  // Smallest and largest value added; 0 while empty.
  int Smallest() const { return total_ == 0 ? 0 : smallest_; }
  int Largest() const { return total_ == 0 ? 0 : largest_; }
  bool InFrequencyOrder() const { return frequencyOrder_; }
  // The entries in their current order.
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  // Values from 0 below this find their entry through place_: lengths,
  // indents and characters are counted for every line.
  static constexpr int kIndexedValues = 256;

  // Add for a value met before outside the place table, or a new value:
  // kept out of line, so the common path stores nothing on entry.
  [[gnu::noinline]] void AddUnplaced(int value, const char* label);
  // Rebuilds place_ after entries_ moved.
  void Reindex();

  std::vector<Entry> entries_;
  // Where the entry of each indexed value stands in entries_ (-1: none);
  // empty until the first new value.
  std::vector<int> place_;
  bool frequencyOrder_ = false;
  int total_ = 0;
  std::int64_t sum_ = 0;
  // Start beyond every value, so that the first value added sets both
  // without a test of its own.
  int smallest_ = std::numeric_limits<int>::max();
  int largest_ = std::numeric_limits<int>::min();
};
