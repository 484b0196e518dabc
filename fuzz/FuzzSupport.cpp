#include "FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

struct Folder {
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "voltaria-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make the fuzz folder");
    path = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path path;
};

}  // namespace

const fs::path& FuzzFolder() {
  static Folder folder;
  return folder.path;
}

fs::path WriteFuzzInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  fs::path path = FuzzFolder() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void FuzzFinding(const char* what) {
  std::fprintf(stderr, "fuzz finding: %s\n", what);
  std::abort();
}

QuietStandardError::QuietStandardError() {
  static NullBuffer null;
  saved_ = std::cerr.rdbuf(&null);
}

QuietStandardError::~QuietStandardError() { std::cerr.rdbuf(saved_); }
