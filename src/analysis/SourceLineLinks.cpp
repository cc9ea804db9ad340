// Hyperlink recognition inside the inline word pass. The link recognisers
// (URL, e-mail address, newsgroup) replace this file; until then no word
// becomes a link.

#include "analysis/SourceLine.h"

int SourceLine::RecogniseHyperlink(FC& /*policy*/, const TextString& /*word*/,
                                   TextString& /*replacement*/) {
  return 0;
}
