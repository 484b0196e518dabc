#pragma once
// What the benchmark programs share: the sizes a run asks for, and running one size in a process
// of its own so that each size reports its own peak memory.

#include <string>
#include <vector>

namespace bench {

/// Network sizes (nodes, and as many branches) every benchmark covers.
inline const std::vector<long> kDefaultSizes = {1000, 10000, 100000};
/// Asked for only with --sizes: a million takes minutes and gigabytes, so never in ctest.
constexpr long kLargeSize = 1000000;

/// The sizes named by "--sizes=1000,1000000" (or "--sizes=all" for the defaults and 1M), else
/// the defaults. The option is removed from argv so that Google Benchmark does not see it.
std::vector<long> TakeSizes(int& argc, char** argv);

struct ChildUsage {
  int status = -1;         // the exit status, or -1 when the child did not exit normally
  double wallSeconds = 0;  // from start to reaping
  double cpuSeconds = 0;   // user and system time of the child: what a busy machine disturbs least
  long peakKilobytes = 0;  // ru_maxrss of the child, from wait4
};

/// Runs `arguments` (program first) to its end, its standard output and error sent to `output`
/// ("" keeps them), and measures it.
ChildUsage RunChild(const std::vector<std::string>& arguments, const std::string& output = "");

/// The path of the running program (for re-running itself with one size).
std::string SelfPath();

/// For a program given several sizes: runs itself once per size with "--sizes=<size>" and the
/// other arguments, prints each child's peak memory, and answers true (the caller then returns).
/// With one size it answers false and the caller runs that size itself.
bool RunEachSizeApart(const std::vector<long>& sizes, int argc, char** argv);

/// The load of the machine now ("load average: ..."), printed beside figures taken on a shared
/// machine.
std::string LoadAverage();

}  // namespace bench
