#pragma once

#include <bitset>

#include "text/TextString.h"

// The settings of one table. The policy record's tableDefaults is the template
// of every table; each user-marked block of an output pass gets its own copy
// (see FC::CreateNewTabConfig). Plain value type: copying copies every field
// and every given flag.
class TableConfig {
 public:
  // One given flag per field, in field order.
  enum class Field : int {
    BorderSize,
    HeaderRows,
    HeaderCols,
    CellSpacing,
    CellPadding,
    Colour,
    BorderColour,
    Caption,
    Width,
    UseCodeMarkup,
    XrefsToLinks,
    MinColumnSeparation,
    SparseTables,
    Count
  };
  static constexpr int kFieldCount = static_cast<int>(Field::Count);

  int borderSize = 0;
  int headerRows = 0;
  int headerCols = 0;
  int cellSpacing = 2;
  int cellPadding = 2;
  TextString colour;
  TextString borderColour;
  TextString caption;
  TextString width;
  int useCodeMarkup = 0;
  int xrefsToLinks = 0;
  int minColumnSeparation = 1;
  int sparseTables = 0;

  bool IsGiven(Field field) const;
  void SetGiven(Field field, bool given = true);
  bool AnyGiven() const;
  void ClearGiven();

  // Copies into this config every field whose given flag is set in `from`;
  // with `takeFlags` the flag is set here too. Texts are copied by value.
  void Overlay(const TableConfig& from, bool takeFlags = true);

 private:
  std::bitset<kFieldCount> given_;
};
