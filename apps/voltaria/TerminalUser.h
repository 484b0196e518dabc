#pragma once
// The person at the terminal. Answers queued with the script commands "answer" and "file" are
// used first; without one, an interactive session asks at the prompt, and a script stops with a
// clear message (the scripted user's loud failure).

#include <functional>
#include <optional>
#include <string>

#include "VexScriptedUser.h"

/// Reads one line with line editing and history when standard input is a terminal.
class LineReader {
 public:
  explicit LineReader(bool interactive) : interactive_(interactive) {}
  /// The next line, or no value at the end of the input.
  std::optional<std::string> Read(const std::string& prompt);
  bool IsInteractive() const { return interactive_; }

 private:
  bool interactive_;
};

class TerminalUser : public VexScriptedUser {
 public:
  TerminalUser(LineReader& reader, std::ostream& out) : reader_(reader), out_(out) {}

  bool AnswerYesNo(const VexUnicodeString& title, const VexUnicodeString& question) override;
  std::optional<VexUnicodeString> ChooseFile(const VexUnicodeString& title,
                                             const VexListValVexUnicodeString& filters) override;

 private:
  LineReader& reader_;
  std::ostream& out_;
};
