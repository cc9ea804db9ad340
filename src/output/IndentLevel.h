#pragma once

#include <cstddef>

#include "policy/FC.h"

// The indent level of a column: how many of the policy's indent positions,
// taken in order, lie at or left of it, less one; never below 0. Inline:
// nearly every line written asks.
inline int IndentLevel(int column, const FC& policy) {
  int level = 0;
  for (int i = 0; i < policy.indentCount && i < PolicyValues::kMaxPositions; ++i) {
    const int position = policy.indentPositions[static_cast<std::size_t>(i)];
    if (position < 0 || position > column) break;
    level = i;
  }
  return level;
}
