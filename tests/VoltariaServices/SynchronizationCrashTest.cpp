// A synchronization of a large network killed at random moments of its one transaction: every
// time, the document opens again holding the old network or the new one, whole, and passes
// SQLite's integrity check.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexGrdProject.h"
#include "VexSqlDatabase.h"
#include "VexSqlStatement.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

#ifdef VOLTARIA_SANITIZED_BUILD
constexpr int kKills = 12;  // each run takes several times longer under the sanitizers
#else
constexpr int kKills = 100;
#endif
constexpr long kOldSize = 1000;
constexpr long kNewSize = 100000;

std::string Id(const char* prefix, long i) {
  char text[16];
  std::snprintf(text, sizeof text, "%s%06ld", prefix, i);
  return text;
}

// The old network: a ring of OLD nodes, made through the services like any network.
void MakeOldDocument(const fs::path& path) {
  auto document = VexDocument::Create(VexUnicodeString(path.string()));
  VexGrdProject project(document.get());
  VexDocumentTransaction transaction(*document);
  for (long i = 0; i < kOldSize; ++i) project.CreateNode(VexUnicodeString(Id("OLD", i)));
  for (long i = 0; i < kOldSize; ++i) {
    project.CreateBranch(VexUnicodeString(Id("OLD", i)),
                         VexUnicodeString(Id("OLD", (i + 1) % kOldSize)));
  }
  transaction.Commit();
}

// The new network in EDSA's columns: a ring of N nodes.
void WriteNetworkFile(const fs::path& path) {
  std::ofstream out(path);
  out << kNewSize << '\n';
  for (long i = 0; i < kNewSize; ++i) out << Id("N", i) << '\n';
  out << kNewSize << '\n';
  for (long i = 0; i < kNewSize; ++i) out << Id("N", i) << ' ' << Id("N", (i + 1) % kNewSize) << '\n';
}

/// A running sync_tool whose transaction has begun.
struct Child {
  pid_t pid = 0;
  int output = -1;
};

Child StartSynchronization(const fs::path& document, const fs::path& network) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::string program = TestProgram("sync_tool").string();
  std::string documentArgument = document.string(), networkArgument = network.string();
  char* argv[] = {program.data(), documentArgument.data(), networkArgument.data(), nullptr};
  Child child;
  int spawned = ::posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  child.output = pipeEnds[0];
  if (spawned != 0) throw std::runtime_error("sync_tool could not be started");
  char mark = 0;
  if (::read(child.output, &mark, 1) != 1 || mark != 'B') {
    throw std::runtime_error("sync_tool ended before its transaction began");
  }
  return child;
}

/// The exit status of the child.
int Finish(Child& child) {
  int status = 0;
  ::waitpid(child.pid, &status, 0);
  ::close(child.output);
  return status;
}

enum class Outcome { Old, New, Mix };

Outcome Inspect(const fs::path& path, std::string* integrity) {
  auto document = VexDocument::Open(VexUnicodeString(path.string()));
  VexSqlDatabase& database = document->GetDatabase();
  VexSqlStatement check = database.Prepare("PRAGMA integrity_check");
  *integrity = check.Step() ? std::string(check.ColumnText(0)) : "no answer";
  auto Count = [&](const char* sql) {
    VexSqlStatement count = database.Prepare(sql);
    return count.Step() ? count.ColumnInteger(0) : -1;
  };
  const auto nodes = Count("SELECT count(*) FROM grd_node");
  const auto oldNodes = Count("SELECT count(*) FROM grd_node WHERE identifier LIKE 'OLD%'");
  const auto branches = Count("SELECT count(*) FROM grd_branch");
  const auto oldBranches = Count("SELECT count(*) FROM grd_branch WHERE from_node LIKE 'OLD%'");
  if (nodes == kOldSize && oldNodes == kOldSize && branches == kOldSize && oldBranches == kOldSize) {
    return Outcome::Old;
  }
  if (nodes == kNewSize && oldNodes == 0 && branches == kNewSize && oldBranches == 0) {
    return Outcome::New;
  }
  return Outcome::Mix;
}

void CopyDocument(const fs::path& from, const fs::path& to) {
  for (const char* companion : {"-wal", "-shm"}) fs::remove(to.string() + companion);
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

}  // namespace

TEST(SynchronizationCrashTest, KilledSynchronizationsLeaveTheOldOrTheNewNetworkNeverAMix) {
  TestFolder folder;
  const fs::path old = folder / "old.vxd", work = folder / "plant.vxd", network = folder / "plant.net";
  MakeOldDocument(old);
  WriteNetworkFile(network);

  // One run to the end measures how long the transaction lasts, and shows the new network whole.
  CopyDocument(old, work);
  auto begun = std::chrono::steady_clock::now();
  Child whole = StartSynchronization(work, network);
  int status = Finish(whole);
  const auto transaction = std::chrono::steady_clock::now() - begun;
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::string integrity;
  ASSERT_EQ(Inspect(work, &integrity), Outcome::New);

  // Kill moments spread over the transaction and a little past it, so that some land on or
  // after the commit.
  const auto window = std::chrono::duration_cast<std::chrono::microseconds>(transaction) * 6 / 5;
  std::mt19937 random(20261206);
  std::uniform_int_distribution<long> delay(0, window.count());
  int kills = 0, oldAfterKill = 0, newAfterKill = 0;
  for (int run = 0; kills < kKills; ++run) {
    ASSERT_LT(run, 4 * kKills) << "most children ended before their kill";
    CopyDocument(old, work);
    Child child = StartSynchronization(work, network);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child.pid, SIGKILL);
    status = Finish(child);
    const bool killed = WIFSIGNALED(status);
    if (!killed) {
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << run;
    }

    Outcome outcome = Inspect(work, &integrity);
    ASSERT_EQ(integrity, "ok") << "run " << run;
    ASSERT_NE(outcome, Outcome::Mix) << "run " << run << ": neither the old nor the new network";
    if (!killed) continue;
    ++kills;
    (outcome == Outcome::Old ? oldAfterKill : newAfterKill)++;
  }
  std::cout << "[ figures  ] transaction of " << 2 * kNewSize << " nodes and branches: "
            << std::chrono::duration_cast<std::chrono::milliseconds>(transaction).count()
            << " ms; " << kills << " kills: " << oldAfterKill << " old network, " << newAfterKill
            << " new network, no mix\n";
}
