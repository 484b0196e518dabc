#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <optional>
#include <thread>

#include "TestFolder.h"
#include "VexError.h"
#include "VexFileServices.h"
#include "VexProcess.h"
#include "VexResourceFile.h"

namespace {

bool ProcessGone(int pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

TEST(VexStartProcessTest, PassesArgumentsUnchangedWithoutAShellAndWaitsForTheStatus) {
  TestFolder folder;
  ScopedEnv record("RECORD_ARGS_FILE", (folder / "args.txt").string());
  ScopedEnv exitCode("RECORD_ARGS_EXIT", "7");
  std::string program = TestProgram("record_args").string();
  std::vector<std::string> args = {program, "two words", "quote\"d 'x'", "a;rm -rf /;b", "$HOME",
                                   "*.mas"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pid = 0, status = -1;
  ASSERT_EQ(VexStartProcess(program.c_str(), argv.data(), 0, &pid, &status), 0);
  EXPECT_GT(pid, 0);
  EXPECT_EQ(status, 7) << "waiting reports the exit status";
  std::string expected = "argc=6\n";
  for (auto& a : args) expected += "[" + a + "]\n";
  EXPECT_EQ(ReadFileText(folder / "args.txt"), expected);
}

TEST(VexStartProcessTest, MissingProgramIsAnInputErrorNamingIt) {
  int pid = 0, status = 0;
  try {
    VexStartProcess("/nonexistent/EDSA/cablpull.exe", nullptr, 1, &pid, &status);
    FAIL() << "no error raised";
  } catch (const VexInputError& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent/EDSA/cablpull.exe"), std::string::npos)
        << error.what();
  }
}

TEST(VexStartProcessTest, ChildrenStartedWithoutWaitingLeaveNoZombies) {
  std::string program = TestProgram("record_args").string();
  std::vector<int> pids;
  std::vector<std::string> observed;
  int observer = VexAddProcessObserver(
      [&](const VexProcessStart& start) { observed.push_back(start.program); });
  for (int i = 0; i < 20; ++i) {
    int pid = 0, status = 0;
    VexStartProcess(program.c_str(), nullptr, 1, &pid, &status);
    pids.push_back(pid);
  }
  VexRemoveProcessObserver(observer);
  EXPECT_EQ(observed.size(), 20u);

  // A zombie still answers kill(pid, 0); only a reaped child is gone.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  bool allGone = false;
  while (!allGone && std::chrono::steady_clock::now() < deadline) {
    allGone = std::all_of(pids.begin(), pids.end(), ProcessGone);
    if (!allGone) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(allGone);
}

TEST(VexFileServicesTest, FindPathWithOrWithoutTrailingSeparator) {
  TestFolder folder;
  folder.Write("plant one/Main.mas", "x");
  std::string dir = (folder / "plant one").string();
  EXPECT_NE(VexFindPath("Main.mas", dir.c_str()), 0);
  EXPECT_NE(VexFindPath("Main.mas", (dir + "/").c_str()), 0);
  EXPECT_EQ(VexFindPath("Main.net", dir.c_str()), 0);
  EXPECT_EQ(VexFindPath("plant one", folder.Path().c_str()), 0) << "a folder is not a file";
  EXPECT_EQ(VexFindPath("", dir.c_str()), 0);
  folder.MakeFifo("plant one/Main.net");
  EXPECT_EQ(VexFindPath("Main.net", dir.c_str()), 0) << "a FIFO is not a file either";
}

TEST(VexFileServicesTest, OnlyRegularFilesAreReadAndNothingWaitsOnAFifo) {
  TestFolder folder;
  const auto fifo = folder.MakeFifo("results.txr");
  std::string problem;
  std::optional<std::string> content;
  VexResourceFile catalog;
  EXPECT_TRUE(ReturnsWithoutWaitingOn(fifo, [&] {
    content = VexReadRegularFile(fifo, &problem);
    catalog = VexResourceFile::Parse(fifo);
  }));
  EXPECT_FALSE(content);
  EXPECT_EQ(problem, "is not a regular file");
  EXPECT_TRUE(catalog.Entries().empty());
  ASSERT_EQ(catalog.GetProblems().size(), 1u);
  EXPECT_NE(catalog.GetProblems()[0].find("not a regular file"), std::string::npos);

  EXPECT_EQ(VexReadRegularFile(folder.Write("plain.txt", "a\r\nb")), "a\r\nb");
  EXPECT_FALSE(VexReadRegularFile(folder.Write("big.txt", "12345"), nullptr, 4)) << "over the limit";
  EXPECT_FALSE(VexReadRegularFile(folder.Path())) << "a folder";
}

TEST(VexStartProcessTest, AProgramStartedWithoutWaitingReportsItsStatusAndErrors) {
  ScopedEnv exitCode("RECORD_ARGS_EXIT", "3");
  ScopedEnv message("RECORD_ARGS_ERROR", "bus X is isolated");
  std::string program = TestProgram("record_args").string();
  char* argv[] = {program.data(), nullptr};
  int pid = 0;
  ASSERT_EQ(VexStartProcess(program.c_str(), argv, 1, &pid, nullptr), 0);
  auto end = VexWaitForProcessEnd(pid, std::chrono::seconds(10));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->exitStatus, 3);
  EXPECT_EQ(end->errorOutput, "bus X is isolated\n");
  EXPECT_EQ(end->program, program);
  // Asked again the answer is the same, at once; an unknown program gives nothing at once.
  auto again = VexWaitForProcessEnd(pid, std::chrono::milliseconds(0));
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->exitStatus, 3);
  EXPECT_FALSE(VexWaitForProcessEnd(-5, std::chrono::milliseconds(0)).has_value());
}

TEST(VexStartProcessTest, WaitingForAProgramStopsAtTheBound) {
  std::string sleeper = "/bin/sleep";
  std::string seconds = "2";
  char* argv[] = {sleeper.data(), seconds.data(), nullptr};
  int pid = 0;
  ASSERT_EQ(VexStartProcess(sleeper.c_str(), argv, 1, &pid, nullptr), 0);
  auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(VexWaitForProcessEnd(pid, std::chrono::milliseconds(50)).has_value());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  auto end = VexWaitForProcessEnd(pid, std::chrono::seconds(10));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->exitStatus, 0);
}
