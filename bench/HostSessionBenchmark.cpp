// The host program as a designer runs it, in text mode, on networks of N nodes and N branches:
//   - synchronize: a new plant document, the master file keyed in, "Synchronize" pressed and both
//     questions answered yes, so the whole network file is created in an empty model; then the
//     panel is closed. The session is timed whole: start, transcript and closing included.
//   - open: the plant document that the synchronization wrote is opened with its panel, which
//     builds the registry and fills the lists, and closed again.
// Each session (voltaria --text) is a process of its own; its wall time and its peak memory
// (ru_maxrss from wait4) are printed with its processor time (user and system), the quickest of
// --repeat rounds (default 3) with the load of the machine beside it: on a busy machine the
// processor time is the steadier figure. Each round runs every size once, and the growth from
// each size to the next is printed at the end.
// Targets at 1M + 1M: open at most 3 s, synchronize at most 10 s, peak memory at most 1 GB, and
// each at most 11 times its figure at 100k.
// Run: build/default/bin/host_session_benchmark [--sizes=1000,10000,100000,1000000] [--repeat=N]
//      [--voltaria=PATH] [--keep]

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchProcess.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  std::vector<long> sizes;
  int repeat = 3;
  fs::path voltaria;
  bool keep = false;  // leave the folders (plant, transcripts) for a look afterwards
};

Options Parse(int argc, char** argv) {
  Options options;
  options.sizes = bench::TakeSizes(argc, argv);
  options.voltaria = fs::path(bench::SelfPath()).parent_path() / "voltaria";
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.rfind("--repeat=", 0) == 0) {
      options.repeat = std::max(1, std::stoi(argument.substr(9)));
    } else if (argument.rfind("--voltaria=", 0) == 0) {
      options.voltaria = argument.substr(11);
    } else if (argument == "--keep") {
      options.keep = true;
    } else {
      throw std::invalid_argument("unknown argument " + argument);
    }
  }
  return options;
}

// "N000042": at most 8 characters, as EDSA node names are.
std::string NodeId(long i) {
  std::string digits = std::to_string(i);
  return "N" + std::string(7 - std::min<std::size_t>(7, digits.size()), '0') + digits;
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// A ring: N nodes and the N branches between neighbours, in EDSA's fixed columns.
void WriteNetworkFile(const fs::path& path, long count) {
  std::ofstream out(path, std::ios::binary);
  out << count << "\n";
  for (long i = 0; i < count; ++i) out << NodeId(i) << "\n";
  out << count << "\n";
  for (long i = 0; i < count; ++i) out << NodeId(i) << ' ' << NodeId((i + 1) % count) << "\n";
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void RemoveDocument(const fs::path& plant) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) fs::remove(plant.string() + suffix);
}

struct Figure {
  double seconds = 1e300;
  double cpuSeconds = 0;
  long peakKilobytes = 0;
  std::uintmax_t transcriptBytes = 0;
  std::string load;
  std::vector<double> rounds;  // every run's wall time, round by round
};

// The quickest run; its peak memory (the same work allocates the same, whatever the load).
void Keep(Figure& best, const bench::ChildUsage& run, const fs::path& transcript) {
  if (run.status != 0) {
    throw std::runtime_error("voltaria ended with status " + std::to_string(run.status) +
                             "; see " + transcript.string());
  }
  best.rounds.push_back(run.wallSeconds);
  if (run.wallSeconds < best.seconds) {
    best.seconds = run.wallSeconds;
    best.cpuSeconds = run.cpuSeconds;
    best.peakKilobytes = run.peakKilobytes;
    best.transcriptBytes = fs::file_size(transcript);
    best.load = bench::LoadAverage();
  }
}

void Print(const char* what, long size, const Figure& figure) {
  std::printf("%-12s %8ld + %-8ld %8.2f s %8.2f s %8.1f MB   transcript %9.1f kB   (%s)\n", what,
              size, size, figure.seconds, figure.cpuSeconds,
              static_cast<double>(figure.peakKilobytes) / 1024.0,
              static_cast<double>(figure.transcriptBytes) / 1024.0, figure.load.c_str());
}

// One size's folder (network file, scripts, plant) and its quickest sessions so far.
struct SizeRun {
  long size = 0;
  fs::path folder;
  Figure synchronize;
  Figure open;
};

SizeRun Prepare(long size) {
  std::string pattern = (fs::temp_directory_path() / "voltaria-host-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  SizeRun run{size, pattern, {}, {}};
  WriteText(run.folder / "plant.mas", "EDSA-MASTER 1\nNetworkType=3P\n");
  WriteNetworkFile(run.folder / "plant.net", size);
  WriteText(run.folder / "synchronize.vscript",
            "type MasterFileEdt $PLANT_DIR/plant.mas\nanswer yes\nanswer yes\npush Synchronize\n");
  WriteText(run.folder / "open.vscript", "# the panel opens and closes\n");
  return run;
}

// One session of `name`: `plantOption` is --new-plant or --plant, and `fresh` removes the plant
// and the settings first.
void TimeSession(const Options& options, const SizeRun& run, const char* name,
                 const char* plantOption, bool fresh, Figure& best) {
  const fs::path plant = run.folder / "plant.vxd";
  const fs::path settings = run.folder / "settings";
  if (fresh) {
    RemoveDocument(plant);
    fs::remove_all(settings);
  }
  const fs::path transcript = run.folder / (std::string(name) + ".txt");
  Keep(best,
       bench::RunChild({options.voltaria.string(), "--text", plantOption, plant.string(),
                        "--settings", settings.string(), "--script",
                        (run.folder / (std::string(name) + ".vscript")).string()},
                       transcript.string()),
       transcript);
}

double Ratio(double large, double small) { return small > 0 ? large / small : 0.0; }

// Growth of one session from a size to the next: best against best, and the median of the ratios
// within each round, whose runs were close in time and so met the same machine.
std::string GrowthOf(const Figure& smaller, const Figure& larger) {
  std::vector<double> perRound;
  for (std::size_t i = 0; i < smaller.rounds.size() && i < larger.rounds.size(); ++i) {
    perRound.push_back(Ratio(larger.rounds[i], smaller.rounds[i]));
  }
  std::sort(perRound.begin(), perRound.end());
  const std::size_t half = perRound.size() / 2;
  const double median =
      perRound.size() % 2 ? perRound[half] : (perRound[half - 1] + perRound[half]) / 2;
  char text[160];
  std::snprintf(text, sizeof text, "%.1fx (per round: median %.1fx, %.1fx to %.1fx)",
                Ratio(larger.seconds, smaller.seconds), median, perRound.front(),
                perRound.back());
  return text;
}

// The targets bound these, best against best.
void PrintGrowth(const SizeRun& smaller, const SizeRun& larger) {
  std::printf("growth %ld -> %ld\n", smaller.size, larger.size);
  std::printf("  synchronize %s\n", GrowthOf(smaller.synchronize, larger.synchronize).c_str());
  std::printf("  open        %s\n", GrowthOf(smaller.open, larger.open).c_str());
  std::printf("  peak memory %.1fx at synchronize, %.1fx at open\n",
              Ratio(static_cast<double>(larger.synchronize.peakKilobytes),
                    static_cast<double>(smaller.synchronize.peakKilobytes)),
              Ratio(static_cast<double>(larger.open.peakKilobytes),
                    static_cast<double>(smaller.open.peakKilobytes)));
}

// The rounds go through every size in turn, so that a machine that slows down or speeds up for a
// minute (a shared machine does) weighs on all sizes alike and the growth figures stay fair.
void RunSizes(const Options& options) {
  std::vector<SizeRun> runs;
  for (long size : options.sizes) runs.push_back(Prepare(size));
  for (int round = 0; round < options.repeat; ++round) {
    std::fprintf(stderr, "round %d of %d\n", round + 1, options.repeat);
    for (SizeRun& run : runs) {
      TimeSession(options, run, "synchronize", "--new-plant", true, run.synchronize);
      TimeSession(options, run, "open", "--plant", false, run.open);
    }
  }
  std::printf("%-12s %19s %10s %10s %11s\n", "session", "nodes + branches", "wall", "processor",
              "peak");
  for (const SizeRun& run : runs) {
    Print("synchronize", run.size, run.synchronize);
    Print("open", run.size, run.open);
  }
  for (std::size_t i = 1; i < runs.size(); ++i) PrintGrowth(runs[i - 1], runs[i]);
  for (const SizeRun& run : runs) {
    if (options.keep) {
      std::printf("kept in %s\n", run.folder.c_str());
    } else {
      fs::remove_all(run.folder);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Options options = Parse(argc, argv);
    RunSizes(options);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "host_session_benchmark: %s\n", error.what());
    return 1;
  }
}
