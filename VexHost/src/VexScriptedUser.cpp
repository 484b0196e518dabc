#include "VexScriptedUser.h"

#include "VexError.h"

namespace {

VexUnicodeString Describe(const VexUnicodeString& title, const VexUnicodeString& text) {
  if (title.IsEmpty()) return text;
  return title + ": " + text;
}

}  // namespace

VexScriptedUser::Answer VexScriptedUser::Take(Form form, const char* missingKey,
                                              const VexUnicodeString& asked) {
  if (answers_.empty()) throw VexInternalError(2, missingKey, kVexHostCatalog, {asked});
  if (answers_.front().form != form) {
    VexUnicodeString queued = answers_.front().form == Form::YesNo ? "a yes/no answer" : "a file";
    throw VexInternalError(2, "QueuedAnswerOfOtherForm", kVexHostCatalog, {asked, queued});
  }
  Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool VexScriptedUser::AnswerYesNo(const VexUnicodeString& title,
                                  const VexUnicodeString& question) {
  return Take(Form::YesNo, "UnexpectedQuestion", Describe(title, question)).yes;
}

void VexScriptedUser::Acknowledge(const VexUnicodeString&, const VexUnicodeString&, int) {}

std::optional<VexUnicodeString> VexScriptedUser::ChooseFile(
    const VexUnicodeString& title, const VexListValVexUnicodeString& filters) {
  VexUnicodeString asked = title;
  for (const VexUnicodeString& filter : filters) asked.Append(filter.IsEmpty() ? "" : " ").Append(filter);
  Answer answer = Take(Form::File, "UnexpectedFileChoice", asked);
  if (!answer.yes) return std::nullopt;
  return answer.path;
}
