// voltaria: the host program of the EDSA dialog module. See VoltariaHost.h and the README.
#include <malloc.h>

#include <iostream>

#include "VoltariaHost.h"

int main(int argc, char** argv) {
  // Large arrays (lists and indexes of a million-object network, built and dropped within one
  // synchronization) are mapped and given back to the system when freed. By default the
  // allocator raises this bound to the largest block freed so far, up to 32 MB, after which such
  // arrays stay in its heap and a session holds room for the lists it dropped beside the ones it
  // builds next: about 85 MB more at the peak of a 1M + 1M synchronization.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
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
