#pragma once

#include "text/TextString.h"

// One entry of the link dictionary: output text matching `matchText`
// (ignoring case) becomes a link showing `linkText` and pointing to `url`.
struct LinkDefinition {
  TextString matchText;
  TextString linkText;
  TextString url;
};
