// The host program as a designer runs it, in text mode, on networks of N nodes and N branches:
//   - synchronize: a new plant document, the master file keyed in, "Synchronize" pressed and both
//     questions answered yes, so the whole network file is created in an empty model; then the
//     panel is closed. The session is timed whole: start, transcript and closing included.
//   - open: the plant document that the synchronization wrote is opened with its panel, which
//     builds the registry and fills the lists, and closed again.
// Each session (voltaria --text) is a process of its own; its wall time and its peak memory
// (ru_maxrss from wait4) are printed with its processor time (user and system), the quickest of
// --repeat runs (default 3) with the load of the machine beside it: on a busy machine the
// processor time is the steadier figure.
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
};

// The quickest run; its peak memory (the same work allocates the same, whatever the load).
void Keep(Figure& best, const bench::ChildUsage& run, const fs::path& transcript) {
  if (run.status != 0) {
    throw std::runtime_error("voltaria ended with status " + std::to_string(run.status) +
                             "; see " + transcript.string());
  }
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
  std::fflush(stdout);
}

void RunSize(const Options& options, long size) {
  std::string pattern = (fs::temp_directory_path() / "voltaria-host-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  const fs::path folder = pattern;
  const fs::path plant = folder / "plant.vxd";
  const fs::path settings = folder / "settings";
  WriteText(folder / "plant.mas", "EDSA-MASTER 1\nNetworkType=3P\n");
  WriteNetworkFile(folder / "plant.net", size);
  WriteText(folder / "synchronize.vscript",
            "type MasterFileEdt $PLANT_DIR/plant.mas\nanswer yes\nanswer yes\npush Synchronize\n");
  WriteText(folder / "open.vscript", "# the panel opens and closes\n");
  // One kind of session, `--repeat` times: `plantOption` is --new-plant or --plant, and `fresh`
  // removes the plant and the settings before each run.
  auto timeSessions = [&](const char* name, const char* plantOption, bool fresh) {
    Figure best;
    const fs::path transcript = folder / (std::string(name) + ".txt");
    for (int run = 0; run < options.repeat; ++run) {
      if (fresh) {
        RemoveDocument(plant);
        fs::remove_all(settings);
      }
      Keep(best,
           bench::RunChild({options.voltaria.string(), "--text", plantOption, plant.string(), "--settings",
                            settings.string(), "--script", (folder / (std::string(name) + ".vscript")).string()},
                           transcript.string()),
           transcript);
    }
    Print(name, size, best);
  };
  timeSessions("synchronize", "--new-plant", true);
  timeSessions("open", "--plant", false);

  if (options.keep) {
    std::printf("             kept in %s\n", folder.c_str());
  } else {
    fs::remove_all(folder);
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Options options = Parse(argc, argv);
    std::printf("%-12s %19s %10s %10s %11s\n", "session", "nodes + branches", "wall", "processor",
                "peak");
    for (long size : options.sizes) RunSize(options, size);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "host_session_benchmark: %s\n", error.what());
    return 1;
  }
}
