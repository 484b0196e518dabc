#include "StepFile.h"

#include <cctype>
#include <stdexcept>
#include <unordered_map>

namespace {

std::string_view SkipBlanks(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t\r\n");
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view TrimEnd(std::string_view text) {
  std::size_t end = text.find_last_not_of(" \t\r\n");
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The first quoted string of FILE_SCHEMA(('IFC4')).
std::string Schema(std::string_view header) {
  std::size_t at = header.find("FILE_SCHEMA");
  if (at == std::string_view::npos) throw std::runtime_error("its header names no schema (FILE_SCHEMA)");
  std::size_t open = header.find('\'', at);
  std::size_t close = open == std::string_view::npos ? open : header.find('\'', open + 1);
  if (close == std::string_view::npos) throw std::runtime_error("its FILE_SCHEMA names no schema");
  std::string schema(header.substr(open + 1, close - open - 1));
  for (char& c : schema) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return schema;
}

// One instance statement "#12=IFCWALL(...)" (blanks allowed around '='), or nothing.
void TakeInstance(std::string_view statement, StepFileFacts& facts, std::unordered_map<std::string, int>& typeIndex) {
  statement = SkipBlanks(statement);
  if (statement.size() < 2 || statement[0] != '#') return;
  std::size_t i = 1;
  long id = 0;
  while (i < statement.size() && std::isdigit(static_cast<unsigned char>(statement[i])) && id < 1000000000) {
    id = id * 10 + (statement[i++] - '0');
  }
  statement = SkipBlanks(statement.substr(i));
  if (statement.empty() || statement[0] != '=') return;
  statement = SkipBlanks(statement.substr(1));
  std::size_t end = 0;
  while (end < statement.size() && (std::isalnum(static_cast<unsigned char>(statement[end])) || statement[end] == '_')) ++end;
  if (end == 0) return;
  std::string type(statement.substr(0, end));
  for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  auto [known, added] = typeIndex.emplace(std::move(type), static_cast<int>(facts.types.size()));
  if (added) facts.types.push_back(known->first);
  facts.entities.emplace_back(static_cast<int>(id), known->second);
}

}  // namespace

bool IsSupportedSchema(const std::string& schema) { return schema == "IFC2X3" || schema == "IFC4"; }

StepFileFacts CheckStepFile(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::string_view text = SkipBlanks(bytes);
  if (text.substr(0, 13) != "ISO-10303-21;") {
    throw std::runtime_error("it is not an IFC file (a STEP file starts with ISO-10303-21;)");
  }
  if (TrimEnd(text).size() < 17 || TrimEnd(text).substr(TrimEnd(text).size() - 17) != "END-ISO-10303-21;") {
    throw std::runtime_error("it is truncated: it does not end with END-ISO-10303-21;");
  }
  StepFileFacts facts;
  std::unordered_map<std::string, int> typeIndex;
  std::size_t data = std::string_view::npos;
  // Statements end at ';' outside quoted strings and comments.
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c == '\'') quoted = false;  // a doubled quote reopens at once
      continue;
    }
    if (c == '\'') {
      quoted = true;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
      std::size_t close = text.find("*/", i + 2);
      if (close == std::string_view::npos) throw std::runtime_error("it is truncated inside a comment");
      i = close + 1;
    } else if (c == ';') {
      std::string_view statement = SkipBlanks(text.substr(start, i - start));
      if (data == std::string_view::npos) {
        if (statement.substr(0, 11) == "FILE_SCHEMA") facts.schema = Schema(statement);
        if (statement == "DATA") data = i;
      } else {
        TakeInstance(statement, facts, typeIndex);
      }
      start = i + 1;
    }
  }
  if (quoted) throw std::runtime_error("it is truncated inside a quoted string");
  if (facts.schema.empty()) throw std::runtime_error("its header names no schema (FILE_SCHEMA)");
  if (data == std::string_view::npos) throw std::runtime_error("it has no DATA section");
  if (text.find("ENDSEC;", data) == std::string_view::npos) {
    throw std::runtime_error("it is truncated: its DATA section does not end");
  }
  return facts;
}
