// Hyperlink recognition inside the inline word pass: the recognisers of the
// markup layer are tried on each word in turn, and what they found or
// declined is reported against the line.

#include "analysis/SourceLine.h"
#include "markup/Hyperlinks.h"
#include "policy/FC.h"
#include "text/TextString.h"

int SourceLine::RecogniseHyperlink(FC& policy, const TextString& word, TextString& replacement) {
  // Entries of the document's own contents list get their links from the
  // contents list itself.
  if ((flags & LineFlag::kContentsList) != 0 || policy.document.inContentsList != 0) return 0;
  bool found = false;
  TextString name;
  ReportLinkType(policy, RecogniseURL(policy, word, found, replacement), word);
  ReportLinkType(policy, RecogniseEmail(policy, word, found, replacement), word);
  const int news = RecogniseNewsgroup(policy, word, found, replacement, name);
  ReportLinkType(policy, news, news == LinkType::kNewsIgnored ? name : word);
  return found ? 1 : 0;
}

void SourceLine::ReportLinkType(FC& policy, int type, const TextString& name) {
  const char* before = nullptr;
  const char* after = "\"";
  int level = 7;
  switch (type) {
    case LinkType::kBareHost:
      before = "Treating \"";
      after = "\" as an ftp:// link";
      level = 3;
      break;
    case LinkType::kWwwIgnored:
      before = "Ignoring potential www URL \"";
      break;
    case LinkType::kFtpIgnored:
      before = "Ignoring potential ftp URL \"";
      break;
    case LinkType::kGopherIgnored:
      before = "Ignoring potential gopher URL \"";
      break;
    case LinkType::kNewsIgnored:
      before = "Ignoring \"newsgroup\" ";
      after = "";
      level = 3;
      break;
    default:
      return;
  }
  TextString message(before);
  message.AppendText(name.View());
  message.AppendText(after);
  ReportOnLine(policy, message.GetText(), level);
}
