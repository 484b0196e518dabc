// voltaria: the host program of the EDSA dialog module. See VoltariaHost.h and the README.
#include <iostream>

#include "VoltariaHost.h"

int main(int argc, char** argv) {
  VoltariaOptions options;
  try {
    options = VoltariaOptions::Parse(argc, argv);
  } catch (const std::invalid_argument& error) {
    std::cerr << "voltaria: " << error.what() << "\n\n" << VoltariaOptions::Usage();
    return VoltariaHost::kBadUse;
  }
  try {
    return VoltariaHost(options, std::cout, std::cerr).Run();
  } catch (const std::exception& error) {
    std::cerr << "voltaria: " << error.what() << '\n';
    return VoltariaHost::kCannotStart;
  }
}
