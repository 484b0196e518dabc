// Stand-in program for process tests: appends its arguments, one per line, to the file named by
// RECORD_ARGS_FILE, writes RECORD_ARGS_ERROR on standard error, then exits with RECORD_ARGS_EXIT
// (default 0).
#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
  const char* file = std::getenv("RECORD_ARGS_FILE");
  if (file) {
    std::ofstream out(file, std::ios::app);
    out << "argc=" << argc << '\n';
    for (int i = 0; i < argc; ++i) out << '[' << argv[i] << "]\n";
  }
  if (const char* error = std::getenv("RECORD_ARGS_ERROR")) std::cerr << error << '\n';
  const char* exitCode = std::getenv("RECORD_ARGS_EXIT");
  return exitCode ? std::atoi(exitCode) : 0;
}
