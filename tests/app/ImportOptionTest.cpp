// --import on the command line: repeatable, only with a plant, and a model that cannot be read
// stops the program with one line naming it while the plant stays as it was.
#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexDocument.h"
#include "VoltariaOptions.h"

namespace {

VoltariaOptions Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "voltaria");
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  return VoltariaOptions::Parse(static_cast<int>(argv.size()), argv.data());
}

TEST(ImportOptionTest, ModelsAreKeptInTheOrderGiven) {
  VoltariaOptions options = Parse({"--new-plant", "p.vxd", "--import", "a.ifc", "--import=b.txt"});
  EXPECT_EQ(options.imports, (std::vector<std::string>{"a.ifc", "b.txt"}));
  EXPECT_FALSE(options.IsTour());
}

TEST(ImportOptionTest, NeedsAModelAndAPlant) {
  EXPECT_THROW(Parse({"--plant", "p.vxd", "--import"}), std::invalid_argument);
  EXPECT_THROW(Parse({"--import", "a.ifc"}), std::invalid_argument);
}

TEST(ImportOptionTest, AModelThatCannotBeReadLeavesTheNewPlantEmpty) {
  TestFolder folder;
  auto model = folder.Write("site.ifc", "ISO-10303-21;\nHEADER;\nFILE_SCHEMA(('IFC4'));\nENDSEC;\nDATA;\n#1=IFCWALL(");
  auto plant = folder / "plant.vxd";
  std::string output;
  int status = RunProgram(VOLTARIA_PROGRAM, {"--new-plant", plant.string(), "--import", model.string(), "--settings",
                                             (folder / "settings").string(), "--script", "/dev/null"},
                          {}, &output, true);
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("voltaria: The model " + model.string() + " cannot be imported: it is truncated"),
            std::string::npos)
      << output;
  EXPECT_EQ(VexDocument::Open(plant.string().c_str())->GetElementCount(), 0);
}

}  // namespace
