// What the synchronization reads from network files as EDSA and other programs write them, and
// from damaged ones: each file is synchronized into an empty model, answering yes.
#include <string>

#include "ProjectTabTest.h"

using namespace std::string_literals;

namespace {

struct ReaderCase {
  const char* name;
  std::string content;
  std::vector<std::string> nodes;
  std::vector<std::string> branches;
};

// Past column 79 of a line: were it read as a line of its own, it would shift every line after it.
void PrintTo(const ReaderCase& c, std::ostream* out) { *out << c.name; }

const std::string kLongTail = std::string(100, ' ') + "JUNK" + std::string(100, 'x');

const ReaderCase kCases[] = {
    {"fixed columns", "2\nBUS1\nBUS2\n1\nBUS1     BUS2\n", {"BUS1", "BUS2"}, {"BUS1->BUS2"}},
    {"node column 9 on is ignored", "1\nBUS12345TAIL\n0\n", {"BUS12345"}, {}},
    {"first token of the node columns", "1\nAB CD\n0\n", {"AB"}, {}},
    {"branch columns 9 and 18 on are ignored", "0\n1\nFROM1234XTO123456TAIL\n", {},
     {"FROM1234->TO123456"}},
    {"no nodes: line 1 counts the branches", "0\n1\nA        B\n", {}, {"A->B"}},
    {"CR LF line ends", "2\r\nBUS1\r\nBUS2\r\n1\r\nBUS1     BUS2\r\n", {"BUS1", "BUS2"},
     {"BUS1->BUS2"}},
    {"tabs separate", "2\n\tBUS1\nBUS2\t\n1\nBUS1\t    BUS2\t\n", {"BUS1", "BUS2"}, {"BUS1->BUS2"}},
    {"byte-order mark", "\xEF\xBB\xBF" "1\nBUS1\n0\n", {"BUS1"}, {}},
    {"long lines keep their first 79 characters and no more",
     "2\nBUS1" + kLongTail + "\nBUS2\n1\nBUS1     BUS2" + kLongTail + "\n", {"BUS1", "BUS2"},
     {"BUS1->BUS2"}},
    {"a long count line", "2" + kLongTail + "\nBUS1\nBUS2\n0\n", {"BUS1", "BUS2"}, {}},
    {"NUL ends a field", "2\nBU\0S1\nBUS2\n1\nBUS1\0    BUS2\n"s, {"BU", "BUS2"}, {"BUS1->BUS2"}},
    {"more node lines than counted", "1\nBUS1\nBUS2\n0\n", {"BUS1"}, {}},
    {"fewer lines than counted", "5\nBUS1\nBUS2\n", {"BUS1", "BUS2"}, {}},
    {"last line without a line feed", "1\nBUS1\n1\nBUS1     BUS2", {"BUS1"}, {"BUS1->BUS2"}},
    {"negative count counts as 0", "-3\n1\nA        B\n", {}, {"A->B"}},
    {"non-numeric count counts as 0", "many\n1\nA        B\n", {}, {"A->B"}},
    {"count beyond int", "99999999999999999999\nBUS1\n", {"BUS1"}, {}},
    {"empty file", "", {}, {}},
    {"blank node line and branch without an end", "2\n   \nBUS1\n2\nBUS1\n         BUS2\n",
     {"BUS1"}, {}},
    {"lines after the branches are not read", "1\nBUS1\n0\nBUS9\n", {"BUS1"}, {}},
    {"an identifier read again keeps its first place",
     "4\nBUS1\nBUS2\nBUS1\nBUS3\n3\nBUS1     BUS2\nBUS1     BUS2\nBUS2     BUS1\n",
     {"BUS1", "BUS2", "BUS3"}, {"BUS1->BUS2", "BUS2->BUS1"}},
};

class NetworkFileReaderTest : public ProjectTabTest,
                              public ::testing::WithParamInterface<ReaderCase> {};

}  // namespace

TEST_P(NetworkFileReaderTest, ReadsTheNodesAndBranchesOfTheFile) {
  const ReaderCase& c = GetParam();
  std::string master = WriteMasterFile("plant.mas");
  Folder().Write("plant.net", c.content);
  StartCommand();
  KeyIn(master);
  bool somethingNew = !c.nodes.empty() || !c.branches.empty();
  if (somethingNew) Ui().AnswerYes();
  Ui().Push("Synchronize");
  EXPECT_EQ(User().GetPendingCount(), 0) << "a question exactly when something is new";
  std::vector<std::string> expected = c.nodes;
  expected.insert(expected.end(), c.branches.begin(), c.branches.end());
  EXPECT_EQ(Model(), expected);
}

INSTANTIATE_TEST_SUITE_P(Files, NetworkFileReaderTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ReaderCase>& info) {
                           std::string name;
                           for (char ch : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
                           }
                           return name;
                         });
