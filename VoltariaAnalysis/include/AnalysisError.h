#pragma once
// What stops an analysis: bad or missing data, or a network the method cannot solve. The message is
// one line for a person, saying what is wrong and where.

#include <stdexcept>
#include <string>

namespace voltaria::analysis {

class AnalysisError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace voltaria::analysis
