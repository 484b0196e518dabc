// One program under every EDSA program name: it does the work of the name it was started under
// (EdsaProgram.h lists them).

#include <filesystem>
#include <iostream>

#include "EdsaProgram.h"

int main(int argc, char** argv) {
  std::filesystem::path self(argv[0]);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string name = self.filename().string();
  voltaria::analysis::RecordRun(name, arguments, self.parent_path().string());
  return voltaria::analysis::RunEdsaProgram(name, arguments, std::cerr);
}
