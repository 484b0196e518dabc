#include "CommandWords.h"

#include <stdexcept>

std::vector<std::string> SplitCommandWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    bool commentMark = c == '#' && !inWord &&
                       (words.empty() || i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t');
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (commentMark) {
      break;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (quoted) throw std::invalid_argument("a quote is not closed");
  if (inWord) words.push_back(word);
  return words;
}
