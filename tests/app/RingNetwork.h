#pragma once
// A master file "big.mas" and its network file with `count` new nodes NEW10000... joined in a ring
// by as many branches: synchronizing it writes far more to the plant document than a few small
// events do, so that a limit on file sizes makes its commit fail as a full disk would.

#include <filesystem>
#include <fstream>
#include <sstream>

inline void WriteRingNetwork(const std::filesystem::path& edsaFolder, int count = 3000) {
  std::ostringstream network;
  network << count << '\n';
  for (int i = 0; i < count; ++i) network << "NEW" << 10000 + i << '\n';
  network << count << '\n';
  for (int i = 0; i < count; ++i) network << "NEW" << 10000 + i << " NEW" << 10000 + (i + 1) % count << '\n';
  std::ofstream(edsaFolder / "big.mas") << "EDSA-MASTER 1\nNetworkType=3P\n";
  std::ofstream(edsaFolder / "big.net") << network.str();
}
