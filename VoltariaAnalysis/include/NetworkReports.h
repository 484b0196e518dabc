#pragma once
// The result lines and colours of the network analyses, per bus and per branch.
//   load flow       buses by voltage: within 5 % of nominal green, 5-10 % amber, beyond red;
//                   branches by loading: below 80 % green, 80-100 % amber, above red, grey
//                   without a rating
//   short circuit   buses by duty (I''k over the rated current): below 80 % green, 80-100 %
//                   amber, above red, grey without a rating
//   motor starting  buses by voltage dip: below 10 % green, 10-20 % amber, above red

#include "LoadFlow.h"
#include "MotorStarting.h"
#include "ResultFiles.h"
#include "ShortCircuit.h"

namespace voltaria::analysis {

ResultSet LoadFlowReport(const Network& network, const std::vector<Complex>& demandPu, const LoadFlowSolution& solution);
ResultSet ShortCircuitReport(const Network& network, const std::vector<BusFault>& faults);
ResultSet MotorStartingReport(const Network& network, const MotorStartingResult& result);

}  // namespace voltaria::analysis
