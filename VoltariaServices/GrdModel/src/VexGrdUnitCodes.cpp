#include "VexGrdUnitCodes.h"

#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

#include "VexTextHash.h"

namespace {

struct Table {
  std::mutex guard;
  std::deque<VexUnicodeString> codes{VexUnicodeString()};  // a deque: references stay valid
  std::unordered_map<std::string, std::uint32_t, VexTextHash, std::equal_to<>> numbers{
      {std::string(), 0}};
};

// Never destroyed: a branch released while the program ends still reads its code.
Table& TheTable() {
  static Table* table = new Table;
  return *table;
}

}  // namespace

std::uint32_t VexGrdUnitCodes::Intern(const VexUnicodeString& unitCode) {
  return Intern(std::string_view(unitCode.str()));
}

std::uint32_t VexGrdUnitCodes::Intern(std::string_view unitCode) {
  if (unitCode.empty()) return 0;
  Table& table = TheTable();
  std::lock_guard<std::mutex> lock(table.guard);
  // Looked up by the text itself: loading a million branches copies no code to find it.
  if (auto found = table.numbers.find(unitCode); found != table.numbers.end()) return found->second;
  const auto number = static_cast<std::uint32_t>(table.codes.size());
  table.codes.emplace_back(std::string(unitCode));  // first: if the index throws, no number dangles
  table.numbers.emplace(std::string(unitCode), number);
  return number;
}

const VexUnicodeString& VexGrdUnitCodes::Of(std::uint32_t number) {
  Table& table = TheTable();
  std::lock_guard<std::mutex> lock(table.guard);
  return table.codes.at(number);
}
