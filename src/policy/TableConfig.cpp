#include "policy/TableConfig.h"

namespace {

struct IntField {
  TableConfig::Field field;
  int TableConfig::*value;
};

struct TextField {
  TableConfig::Field field;
  TextString TableConfig::*value;
};

constexpr IntField kIntFields[] = {
    {TableConfig::Field::BorderSize, &TableConfig::borderSize},
    {TableConfig::Field::HeaderRows, &TableConfig::headerRows},
    {TableConfig::Field::HeaderCols, &TableConfig::headerCols},
    {TableConfig::Field::CellSpacing, &TableConfig::cellSpacing},
    {TableConfig::Field::CellPadding, &TableConfig::cellPadding},
    {TableConfig::Field::UseCodeMarkup, &TableConfig::useCodeMarkup},
    {TableConfig::Field::XrefsToLinks, &TableConfig::xrefsToLinks},
    {TableConfig::Field::MinColumnSeparation, &TableConfig::minColumnSeparation},
    {TableConfig::Field::SparseTables, &TableConfig::sparseTables},
};

constexpr TextField kTextFields[] = {
    {TableConfig::Field::Colour, &TableConfig::colour},
    {TableConfig::Field::BorderColour, &TableConfig::borderColour},
    {TableConfig::Field::Caption, &TableConfig::caption},
    {TableConfig::Field::Width, &TableConfig::width},
};

static_assert(std::size(kIntFields) + std::size(kTextFields) == TableConfig::kFieldCount,
              "every table field is overlaid");

}  // namespace

bool TableConfig::IsGiven(Field field) const {
  const int index = static_cast<int>(field);
  return index >= 0 && index < kFieldCount && given_.test(index);
}

void TableConfig::SetGiven(Field field, bool given) {
  const int index = static_cast<int>(field);
  if (index >= 0 && index < kFieldCount) given_.set(index, given);
}

bool TableConfig::AnyGiven() const { return given_.any(); }

void TableConfig::ClearGiven() { given_.reset(); }

void TableConfig::Overlay(const TableConfig& from, bool takeFlags) {
  for (const IntField& f : kIntFields) {
    if (!from.IsGiven(f.field)) continue;
    this->*f.value = from.*f.value;
    if (takeFlags) SetGiven(f.field);
  }
  for (const TextField& f : kTextFields) {
    if (!from.IsGiven(f.field)) continue;
    this->*f.value = from.*f.value;
    if (takeFlags) SetGiven(f.field);
  }
}
