// Builds the sample plant from its text sources, the same way every time:
//   make_sample <plant.txt> <EDSA project source folder> <output folder>
// writes <output>/plant.vxd (the plant document, made anew), copies the EDSA project's text files
// to <output>/edsa/, has the document remember its master file, and writes the cable-pull
// jobs the description names (segment data and job file) through the conduit services.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexGrdProject.h"
#include "VexPlacement.h"

namespace fs = std::filesystem;

namespace {

std::string Trim(const std::string& text) {
  std::size_t start = text.find_first_not_of(" \t");
  std::size_t end = text.find_last_not_of(" \t\r");
  return start == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::stringstream stream(text);
  for (std::string field; std::getline(stream, field, separator);) fields.push_back(Trim(field));
  return fields;
}

[[noreturn]] void Fail(int lineNumber, const std::string& why) {
  throw std::runtime_error("plant description line " + std::to_string(lineNumber) + ": " + why);
}

class SampleBuilder {
 public:
  SampleBuilder(VexDocument& document, VexGrdProject& project, fs::path edsaFolder)
      : document_(document), project_(project), edsaFolder_(std::move(edsaFolder)) {}

  void Apply(const std::vector<std::string>& f, int line) {
    const std::string& what = f[0];
    if (what == "element" && f.size() == 4) {
      auto kind = VexElementKindFromName(f[2]);
      if (!kind) Fail(line, "unknown kind " + f[2]);
      document_.CreateElement(f[1].c_str(), f[3].c_str(), *kind);
    } else if (what == "route" && f.size() == 3) {
      document_.SetRoutePoints(Element(f[1], line), Points(f[2], line));
    } else if (what == "placement" && f.size() == 4) {
      PlaceEquipment(f, line);
    } else if (what == "number" && f.size() == 4) {
      document_.SetNumberAttribute(Element(f[1], line), f[2].c_str(), std::stod(f[3]));
    } else if (what == "node" && f.size() == 2) {
      project_.CreateNode(f[1].c_str());
    } else if (what == "branch" && f.size() == 3) {
      project_.CreateBranch(f[1].c_str(), f[2].c_str());
    } else if (what == "link" && f.size() == 3) {
      project_.LinkNode(VexIAECElement_var(&Element(f[2], line)), Node(f[1], line));
    } else if (what == "link" && f.size() == 4) {
      project_.LinkBranch(VexIAECElement_var(&Element(f[3], line)), Branch(f[1], f[2], line));
    } else if (what == "length" && f.size() == 5) {
      Branch(f[1], f[2], line)->SetLength(std::stod(f[3]));
      project_.UpdateBranchLength(f[1].c_str(), f[2].c_str(), f[4].c_str());
    } else if (what == "master" && f.size() == 2) {
      project_.SetMasterFilePath((edsaFolder_ / f[1]).string().c_str());
    } else if (what == "job" && f.size() == 3) {
      WriteCablePullJob(f[1], Split(f[2], ';'), line);
    } else {
      Fail(line, "not an entry: " + what);
    }
  }

 private:
  VexIAECElement& Element(const std::string& name, int line) {
    auto element = document_.FindElementByName(name.c_str());
    if (!element) Fail(line, "no element " + name);
    return *element;
  }

  VexIGrdNode_var Node(const std::string& id, int line) {
    auto node = project_.SearchForNodeId(id.c_str());
    if (!node) Fail(line, "no node " + id);
    return node;
  }

  VexIGrdBranch_var Branch(const std::string& from, const std::string& to, int line) {
    auto branch = project_.SearchForBranchId(from.c_str(), to.c_str());
    if (!branch) Fail(line, "no branch " + from + "->" + to);
    return branch;
  }

  void PlaceEquipment(const std::vector<std::string>& f, int line) {
    std::vector<VexRoutePoint> corners = Points(f[2] + ";" + f[3], line);
    const VexRoutePoint& size = corners[1];
    if (!(size.x > 0 && size.y > 0 && size.z > 0)) Fail(line, "a placement needs a positive size");
    VexSetPlacement(document_, Element(f[1], line), {corners[0], size.x, size.y, size.z});
  }

  static std::vector<VexRoutePoint> Points(const std::string& text, int line) {
    std::vector<VexRoutePoint> points;
    for (const auto& point : Split(text, ';')) {
      VexRoutePoint p;
      std::istringstream in(point);
      if (!(in >> p.x >> p.y >> p.z)) Fail(line, "bad point " + point);
      points.push_back(p);
    }
    return points;
  }

  void WriteCablePullJob(const std::string& name, const std::vector<std::string>& names, int line) {
    VexListValVexBaseUnknown_var elements;
    for (const auto& element : names) elements.Append(VexBaseUnknown_var(&Element(element, line)));
    VexGrdConduit& conduit = *project_.GetGrdConduitObj();
    conduit.SetJobFilePath((edsaFolder_ / (name + ".cpd")).string().c_str());
    conduit.SetCableDia(conduit.CalculateCableDia(&elements));
    if (int status = conduit.ProcessConduitSegments(1, &elements)) {
      Fail(line, "the route does not process: " + std::to_string(status));
    }
    if (int status = conduit.WriteSegmentData())
      Fail(line, "segment data: " + std::to_string(status));
    if (int status = conduit.GenerateGlobalFile())
      Fail(line, "job file: " + std::to_string(status));
  }

  VexDocument& document_;
  VexGrdProject& project_;
  fs::path edsaFolder_;
};

// The copy is made anew, so files the sources no longer have (results of earlier runs) are gone.
void CopyEdsaProject(const fs::path& from, const fs::path& to) {
  fs::remove_all(to);
  fs::create_directories(to);
  for (const auto& entry : fs::directory_iterator(from)) {
    fs::copy_file(entry.path(), to / entry.path().filename(), fs::copy_options::overwrite_existing);
  }
}

void RemoveDocument(const fs::path& path) {
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path.string() + suffix);
}

void Build(const fs::path& description, const fs::path& edsaSource, const fs::path& output) {
  std::ifstream in(description);
  if (!in) throw std::runtime_error("cannot read " + description.string());
  fs::path edsaFolder = fs::absolute(output) / "edsa";
  CopyEdsaProject(edsaSource, edsaFolder);
  fs::path documentPath = fs::absolute(output) / "plant.vxd";
  RemoveDocument(documentPath);

  try {
    auto document = VexDocument::Create(documentPath.string().c_str());
    VexGrdProject project(document.get());
    SampleBuilder builder(*document, project, edsaFolder);
    VexDocumentTransaction transaction(*document);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
      ++lineNumber;
      line = Trim(line);
      if (line.empty() || line[0] == '#') continue;
      builder.Apply(Split(line, '|'), lineNumber);
    }
    transaction.Commit();
  } catch (...) {
    RemoveDocument(documentPath);  // no half-built sample is left for the build to take as done
    throw;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_sample <plant.txt> <EDSA project folder> <output folder>\n";
    return 2;
  }
  try {
    Build(argv[1], argv[2], argv[3]);
  } catch (const std::exception& error) {
    std::cerr << "make_sample: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
