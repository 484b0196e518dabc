#include "VexUserLog.h"

namespace {

const char* FormName(VexUserLogEntry::Form form) {
  switch (form) {
    case VexUserLogEntry::Form::Message: return "message";
    case VexUserLogEntry::Form::Question: return "question";
    case VexUserLogEntry::Form::FileChoice: return "file choice";
    case VexUserLogEntry::Form::Error: return "error";
  }
  return "?";
}

}  // namespace

std::string VexUserLogEntry::ToText() const {
  std::string line = FormName(form);
  if (form == Form::Message) line += " " + std::to_string(kind);
  line += " \"" + title.str() + "\": " + text.str();
  if (!answer.IsEmpty()) line += " -> " + answer.str();
  return line;
}

int VexUserLog::CountContaining(const VexUnicodeString& text) const {
  int count = 0;
  for (const VexUserLogEntry& entry : entries_) {
    if (entry.text.str().find(text.str()) != std::string::npos) ++count;
  }
  return count;
}

std::string VexUserLog::ToText() const {
  std::string text;
  for (const VexUserLogEntry& entry : entries_) text += entry.ToText() + "\n";
  return text;
}
