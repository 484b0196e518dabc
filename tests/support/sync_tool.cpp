// Synchronizes a plant document's network with an EDSA network file through the project services,
// in one transaction, as a separate process that a test can kill at any moment:
//   sync_tool <document> <network file>
// The model's old nodes and branches are deleted and the file's are created. The tool writes "B"
// to its standard output when the transaction has begun and "C" once it is committed, so that the
// test can count its kill delays from the start of the transaction.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexError.h"
#include "VexGrdProject.h"
#include "VexToken.h"

namespace {

struct Network {
  std::vector<std::string> nodes;
  std::vector<std::pair<std::string, std::string>> branches;
};

std::string FirstToken(const std::string& columns) {
  return VexToken(VexUnicodeString(columns)).GetNextToken().str();
}

// EDSA's fixed columns: a count line, node identifiers in columns 1-8, a count line, branch ends
// in columns 1-8 and 10-17.
Network ReadNetwork(const char* path) {
  Network network;
  std::ifstream in(path);
  std::string line;
  long count = 0;
  if (std::getline(in, line)) count = std::stol(line);
  for (long i = 0; i < count && std::getline(in, line); ++i) {
    network.nodes.push_back(FirstToken(line.substr(0, 8)));
  }
  if (std::getline(in, line)) count = std::stol(line);
  for (long i = 0; i < count && std::getline(in, line); ++i) {
    network.branches.emplace_back(FirstToken(line.substr(0, 8)), FirstToken(line.substr(9, 8)));
  }
  return network;
}

void Signal(char mark) {
  if (::write(STDOUT_FILENO, &mark, 1) != 1) std::perror("sync_tool: signal");
}

void Synchronize(VexDocument& document, const Network& network) {
  VexGrdProject project(&document);
  VexDocumentTransaction transaction(document);
  Signal('B');
  auto branches = project.GetLstOfBranches();
  for (int i = 1; i <= branches->Size(); ++i) project.DeleteBranch((*branches)[i]);
  auto nodes = project.GetLstOfNodes();
  for (int i = 1; i <= nodes->Size(); ++i) project.DeleteNode((*nodes)[i]);
  for (const std::string& id : network.nodes) project.CreateNode(VexUnicodeString(id));
  for (const auto& [from, to] : network.branches) {
    project.CreateBranch(VexUnicodeString(from), VexUnicodeString(to));
  }
  transaction.Commit();
  Signal('C');
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sync_tool <document> <network file>\n");
    return 2;
  }
  try {
    const Network network = ReadNetwork(argv[2]);
    std::unique_ptr<VexDocument> document = VexDocument::Open(VexUnicodeString(argv[1]));
    Synchronize(*document, network);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sync_tool: %s\n", error.what());
    return 1;
  }
  return 0;
}
