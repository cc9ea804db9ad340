#include "policy/TableConfig.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Field = TableConfig::Field;

TEST(TableConfigTest, OverlayTakesOnlyGivenFields) {
  TableConfig from;
  from.borderSize = 3;
  from.SetGiven(Field::BorderSize);
  from.cellPadding = 9;  // not given: stays behind
  from.caption.SetText("Prices");
  from.SetGiven(Field::Caption);
  from.sparseTables = 1;
  from.SetGiven(Field::SparseTables);

  TableConfig to;
  to.cellPadding = 5;
  to.Overlay(from);
  EXPECT_EQ(to.borderSize, 3);
  EXPECT_EQ(to.cellPadding, 5);
  EXPECT_EQ(std::string(to.caption.View()), "Prices");
  EXPECT_EQ(to.sparseTables, 1);
  EXPECT_TRUE(to.IsGiven(Field::BorderSize));
  EXPECT_TRUE(to.IsGiven(Field::Caption));
  EXPECT_FALSE(to.IsGiven(Field::CellPadding));

  // The texts are copies: changing the source later changes nothing here.
  from.caption.SetText("Other");
  EXPECT_EQ(std::string(to.caption.View()), "Prices");

  TableConfig unflagged;
  unflagged.Overlay(from, false);
  EXPECT_EQ(unflagged.borderSize, 3);
  EXPECT_FALSE(unflagged.AnyGiven());
}

}  // namespace
