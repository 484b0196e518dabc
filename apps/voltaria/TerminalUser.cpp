#include "TerminalUser.h"

#include <readline/history.h>
#include <readline/readline.h>

#include <cstdlib>
#include <iostream>
#include <memory>

std::optional<std::string> LineReader::Read(const std::string& prompt) {
  if (interactive_) {
    std::unique_ptr<char, decltype(&std::free)> line(readline(prompt.c_str()), &std::free);
    if (!line) return std::nullopt;
    if (*line) add_history(line.get());
    return std::string(line.get());
  }
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  return line;
}

bool TerminalUser::AnswerYesNo(const VexUnicodeString& title, const VexUnicodeString& question) {
  if (GetPendingCount() > 0 || !reader_.IsInteractive()) {
    return VexScriptedUser::AnswerYesNo(title, question);
  }
  out_ << title << ":\n" << question << '\n';
  for (;;) {
    auto answer = reader_.Read("yes or no? ");
    if (!answer) return false;  // the input ended: the cautious answer
    if (*answer == "y" || *answer == "yes") return true;
    if (*answer == "n" || *answer == "no") return false;
  }
}

std::optional<VexUnicodeString> TerminalUser::ChooseFile(const VexUnicodeString& title,
                                                         const VexListValVexUnicodeString& filters) {
  if (GetPendingCount() > 0 || !reader_.IsInteractive()) return VexScriptedUser::ChooseFile(title, filters);
  out_ << "Choose a file";
  for (const VexUnicodeString& filter : filters) out_ << " [" << filter << "]";
  out_ << '\n';
  auto path = reader_.Read("file (empty line to cancel): ");
  if (!path || path->empty()) return std::nullopt;
  return VexUnicodeString(*path);
}
