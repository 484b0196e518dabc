#pragma once
// What each EDSA program name does here. Every run is appended to "edsa-runs.log" beside the
// master file (one line: program, arguments, time, separated by tabs); then the program reads only
// its arguments and the files they name:
//
//     aclfmain.exe <master>                      AC load flow           -> <master base>.txr/.clr
//     dclfmain.exe <master>                      DC load flow           -> <master base>.txr/.clr
//     scac3p.exe   <master>                      three-phase short circuit
//     mstrmain.exe <master>                      motor starting
//     cablpull.exe <master> /mode 1-4 /job <.cpd>  cable pull          -> job, or report <job base>.cpr
//     Wwrsznec.exe <master> /job <.wsw>          wire sizing            -> report <job base>.wsr
//
// Anything refused (bad data, a network that cannot be solved, a program that computes nothing
// here) writes no result, leaves earlier results in place, and ends with one line on standard
// error and a non-zero status.

#include <ostream>
#include <string>
#include <vector>

namespace voltaria::analysis {

constexpr int kExitRefused = 1;       ///< bad data or an unsolvable network
constexpr int kExitUsage = 2;         ///< arguments the program does not take
constexpr int kExitNotComputed = 3;   ///< a program this set does not provide

/// Runs `programName` with `arguments` (program path excluded); messages go to `errors`.
int RunEdsaProgram(const std::string& programName, const std::vector<std::string>& arguments, std::ostream& errors);

/// Appends the run to "edsa-runs.log" beside the master file among the arguments, else in
/// `fallbackFolder`; one write, so runs that overlap do not mix their lines.
void RecordRun(const std::string& programName, const std::vector<std::string>& arguments, const std::string& fallbackFolder);

}  // namespace voltaria::analysis
