#pragma once
// The person in front of the host: answers what only a person can. The session asks it and
// records every exchange in its log; an interactive front end or a script implements it.

#include <optional>

#include "VexList.h"
#include "VexUnicodeString.h"

class VexUser {
 public:
  virtual ~VexUser() = default;

  /// A yes/no question; true for yes.
  virtual bool AnswerYesNo(const VexUnicodeString& title, const VexUnicodeString& question) = 0;
  /// A message of kind 1 (information) to 3 (error) that the person reads and acknowledges.
  virtual void Acknowledge(const VexUnicodeString& title, const VexUnicodeString& message,
                           int kind) = 0;
  /// The file chosen in a document chooser showing `filters` (texts such as "Cable Pull Data
  /// (*.cpd)"); no value when the person cancels.
  virtual std::optional<VexUnicodeString> ChooseFile(const VexUnicodeString& title,
                                                     const VexListValVexUnicodeString& filters) = 0;
};
