#include "output/IndentLevel.h"

#include <cstddef>

#include "policy/FC.h"

int IndentLevel(int column, const FC& policy) {
  int level = 0;
  for (int i = 0; i < policy.indentCount && i < PolicyValues::kMaxPositions; ++i) {
    const int position = policy.indentPositions[static_cast<std::size_t>(i)];
    if (position < 0 || position > column) break;
    level = i;
  }
  return level;
}
