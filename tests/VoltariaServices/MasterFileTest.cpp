#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexGrdMasterFile.h"
#include "VexGrdUtilitiesInputErr.h"

namespace {

VexUnicodeString PathOf(const std::filesystem::path& path) { return path.string().c_str(); }

// The key of the utilities error that `action` raises, or "" when it raises none.
template <class Action>
std::string ErrorKeyOf(Action action) {
  try {
    action();
  } catch (const VexGrdUtilitiesInputErr& error) {
    return error.GetKey().str();
  }
  return "";
}

}  // namespace

TEST(MasterFileTest, NetworkTypeOfExtensionsAndTypes) {
  struct Case {
    const char* given;
    const char* type;
  };
  const Case cases[] = {{".mas", "3P"}, {".MAS", "3P"}, {".mds", "DC"}, {".mss", "1X"},
                        {".mps", "1X"}, {"3P", "3P"},   {"DC", "DC"},   {"1X", "1X"},
                        {".net", ""},   {"", ""},       {"mas", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(VexGrdMasterFile::NetworkTypeOf(c.given), VexUnicodeString(c.type)) << c.given;
  }
}

TEST(MasterFileTest, CreateRefusesWhatItCannotDoAndKeepsExistingFiles) {
  TestFolder folder;
  folder.Write("kept.mas", "EDSA data\n");
  EXPECT_EQ(ErrorKeyOf([&] { VexGrdMasterFile::Create(PathOf(folder / "kept.mas"), ".mas"); }),
            "MasterFileExists");
  EXPECT_EQ(folder.Read("kept.mas"), "EDSA data\n");
  EXPECT_EQ(ErrorKeyOf([&] { VexGrdMasterFile::Create(PathOf(folder / "no/dir/x.mas"), ""); }),
            "MasterFileNotWritable");
  EXPECT_EQ(ErrorKeyOf([&] { VexGrdMasterFile::Create(PathOf(folder / "x.txt"), ""); }),
            "UnknownNetworkType");
  EXPECT_EQ(ErrorKeyOf([&] { VexGrdMasterFile(PathOf(folder / "missing.mas")); }),
            "MasterFileMissing");
}

TEST(MasterFileTest, RecordsNodesBranchesAndLengthsOnceAndKeepsForeignLines) {
  TestFolder folder;
  folder.Write("n.mas", "EDSA-MASTER 1\r\nNetworkType=3P\r\nEDSA private line\r\n");
  VexUnicodeString path = PathOf(folder / "n.mas");
  {
    VexGrdMasterFile master(path);
    EXPECT_TRUE(master.AddNode("BUS1"));
    EXPECT_FALSE(master.AddNode("BUS1"));
    EXPECT_TRUE(master.AddBranch("BUS1", "BUS2"));
    EXPECT_TRUE(master.AddBranch("BUS2", "BUS1")) << "a branch has a direction";
    master.SetBranchLength("BUS1", "BUS2", 2.5, "MT");
    master.SetBranchLength("BUS1", "BUS2", 8.2020997, "FT");
    master.SetBranchLength("BUS3", "BUS4", 1, "KM");
    master.Save();
  }
  EXPECT_EQ(folder.Read("n.mas"),
            "EDSA-MASTER 1\r\nNetworkType=3P\r\nEDSA private line\r\nNode=BUS1\r\n"
            "Branch=BUS1,BUS2\r\nBranch=BUS2,BUS1\r\nBranchLength=BUS1,BUS2,8.2020997,FT\r\n"
            "Branch=BUS3,BUS4\r\nBranchLength=BUS3,BUS4,1,KM\r\n")
      << "the file's CR LF line ends are kept, and new lines take them too";
  VexGrdMasterFile reread(path);
  EXPECT_TRUE(reread.HasNode("BUS1"));
  EXPECT_FALSE(reread.HasNode("BUS2"));
  EXPECT_TRUE(reread.HasBranch("BUS3", "BUS4"));
  auto length = reread.GetBranchLength("BUS1", "BUS2");
  ASSERT_TRUE(length);
  EXPECT_DOUBLE_EQ(length->first, 8.2020997);
  EXPECT_EQ(length->second, VexUnicodeString("FT"));
  EXPECT_FALSE(reread.AddBranch("BUS1", "BUS2"));
}

TEST(MasterFileTest, IdentifiersThatWouldBreakTheFileAreRefused) {
  TestFolder folder;
  folder.Write("n.mas", "EDSA-MASTER 1\n");
  VexGrdMasterFile master(PathOf(folder / "n.mas"));
  for (const char* id : {"", "A,B", "A\nB"}) {
    EXPECT_EQ(ErrorKeyOf([&] { master.AddNode(id); }), "EdsaIdentifierInvalid") << id;
  }
  EXPECT_EQ(ErrorKeyOf([&] { master.AddBranch("A", ""); }), "EdsaIdentifierInvalid");
}

TEST(MasterFileTest, BytesItDoesNotUnderstandAndEachLineEndAreKeptByteForByte) {
  TestFolder folder;
  using namespace std::string_literals;
  const std::string foreign = "EDSA-MASTER 1\n\x00\xff\r\r\nEDSA\rprivate\n"s;
  folder.Write("b.mas", foreign + "BranchLength=A,B,1,MT\r\nNode=A");
  VexUnicodeString path = PathOf(folder / "b.mas");
  {
    VexGrdMasterFile master(path);
    EXPECT_TRUE(master.HasNode("A")) << "a last line without its end still counts";
    master.SetBranchLength("A", "B", 2, "FT");
    master.AddNode("B");
    master.Save();
  }
  EXPECT_EQ(folder.Read("b.mas"),
            foreign + "BranchLength=A,B,2,FT\r\nNode=A\nBranch=A,B\nNode=B\n")
      << "a replaced line keeps its own end; new lines take the first line's";
  auto length = VexGrdMasterFile(path).GetBranchLength("A", "B");
  ASSERT_TRUE(length);
  EXPECT_EQ(length->second, VexUnicodeString("FT"));
}

TEST(MasterFileTest, AFifoIsNeitherWaitedOnNorTakenForAMasterFile) {
  TestFolder folder;
  const auto fifo = folder.MakeFifo("pipe.mas");
  std::string readKey, createKey;
  EXPECT_TRUE(ReturnsWithoutWaitingOn(fifo, [&] {
    readKey = ErrorKeyOf([&] { VexGrdMasterFile(PathOf(fifo)); });
    createKey = ErrorKeyOf([&] { VexGrdMasterFile::Create(PathOf(fifo), ".mas"); });
  }));
  EXPECT_EQ(readKey, "MasterFileMissing");
  EXPECT_EQ(createKey, "MasterFileNotRegular");
}
