#include "VexGrdUnitCodes.h"

#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {

struct Table {
  std::mutex guard;
  std::deque<VexUnicodeString> codes{VexUnicodeString()};  // a deque: references stay valid
  std::unordered_map<std::string, std::uint32_t> numbers{{std::string(), 0}};
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
  auto [found, added] = table.numbers.try_emplace(std::string(unitCode),
                                                   static_cast<std::uint32_t>(table.codes.size()));
  if (added) table.codes.emplace_back(std::string(unitCode));
  return found->second;
}

const VexUnicodeString& VexGrdUnitCodes::Of(std::uint32_t number) {
  Table& table = TheTable();
  std::lock_guard<std::mutex> lock(table.guard);
  return table.codes.at(number);
}
