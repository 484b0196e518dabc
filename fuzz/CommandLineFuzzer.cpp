// The command language's line parser: any line either splits into words or is refused for an
// open quote, and the words, each written back in quotes, split again into the same words.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "CommandWords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> words;
  try {
    words = SplitCommandWords(line);
  } catch (const std::invalid_argument&) {
    return 0;  // a quote left open is refused with a message
  }
  std::string quoted;
  for (const std::string& word : words) {
    if (word.find('"') != std::string::npos) FuzzFinding("a word holds a quote character");
    quoted += (quoted.empty() ? "\"" : " \"") + word + "\"";
  }
  if (SplitCommandWords(quoted) != words) {
    FuzzFinding("the words, quoted, do not split back into the same words");
  }
  return 0;
}
