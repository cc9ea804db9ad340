// The stored side of the link dictionary: adding definitions and writing
// them to a policy file.

#include <utility>

#include "policy/FC.h"
#include "text/LineFile.h"

void FC::AddLinkDefinition(const char* matchText, const char* linkText, const char* url) {
  LinkDefinition definition{TextString(matchText), TextString(linkText), TextString(url)};
  // Reading a written file back, or one dictionary file twice, must not
  // double every link.
  for (const LinkDefinition& known : linkDefinitions) {
    if (known.matchText.IsEqual(definition.matchText, true) &&
        known.linkText.IsEqual(definition.linkText, true) &&
        known.url.IsEqual(definition.url, true)) {
      return;
    }
  }
  linkDefinitions.push_back(std::move(definition));
}

int FC::WriteLinkDefinitions(LineFile& file) const {
  int written = 1;
  for (const LinkDefinition& definition : linkDefinitions) {
    TextString line("Link definition: \"");
    line.AppendText(definition.matchText.View());
    line.AppendText("\" = \"");
    line.AppendText(definition.linkText.View());
    line.AppendText("\" + \"");
    line.AppendText(definition.url.View());
    line.AppendText("\"");
    if (!file.WriteText(line)) written = 0;
  }
  return written;
}
