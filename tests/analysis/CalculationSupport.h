#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/Histogram.h"
#include "policy/FC.h"
#include "support/CaseFile.h"

// A fresh policy record that collects every message, and statistics built
// by hand for the policy calculation.
class CalculationTest : public testing::Test {
 protected:
  CalculationTest() { Collect(policy); }

  // Sends every message of `record` to `messages`.
  void Collect(FC& record) {
    record.errorLevel = 10;
    record.messageSink = [this](const char* text) { messages.emplace_back(text); };
  }

  static void AddTimes(Histogram& histogram, int value, int times) {
    for (int i = 0; i < times; ++i) histogram.Add(value);
  }

  FC policy;
  DocumentStatistics statistics;
  std::vector<std::string> messages;
};

// The numbers of each row of tests/data/analysis/analysis_cases.txt for `op`.
inline std::vector<std::vector<int>> NumberRows(const std::string& op) {
  std::vector<std::vector<int>> rows;
  for (const auto& r : ReadRows(WEBLOOM_TEST_DATA "/analysis/analysis_cases.txt")) {
    if (r[0] != op) continue;
    rows.emplace_back();
    for (std::size_t i = 1; i < r.size(); ++i) rows.back().push_back(std::stoi(r[i]));
  }
  EXPECT_FALSE(rows.empty()) << op;
  return rows;
}
