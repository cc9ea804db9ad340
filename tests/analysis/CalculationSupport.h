#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/DocumentStatistics.h"
#include "analysis/Histogram.h"
#include "policy/FC.h"

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
