#pragma once
// Applies a plant model read from a file to a document: elements new to the document are added,
// known ones updated in place, and elements imported earlier from the same file that it no longer
// holds are removed when the user agrees (their links to nodes and branches go with them).
//
// An element is known by its source identifier (the SourceId attribute) when the model gives one,
// else by its name. Every element the import touches keeps the file it came from (SourceFile).
// The caller provides the transaction (a session event): a failure leaves it to roll back.

#include <map>
#include <string>
#include <vector>

#include "VexDocument.h"
#include "VexPlantModel.h"
#include "VexPlantModelReader.h"

struct VexImportReport {
  VexUnicodeString source;
  std::vector<VexUnicodeString> added;
  std::vector<VexUnicodeString> updated;
  std::vector<VexUnicodeString> unchanged;
  std::vector<VexUnicodeString> removed;
  /// Elements gone from the model that the user chose to keep.
  std::vector<VexUnicodeString> kept;
  std::vector<VexImportRemark> skipped;
  std::vector<VexImportRemark> notes;
  std::map<std::string, long> others;

  /// The report for a person: one line of counts, then the names (at most `listed` per list).
  std::string ToText(std::size_t listed = 12) const;
};

/// Applies `model`, read from `sourceFile`, to `document` inside the open transaction. Asks the
/// session's user before removing anything.
VexImportReport VexApplyPlantModel(VexDocument& document, const VexPlantModel& model,
                                   const VexUnicodeString& sourceFile);

/// The whole import as a front end offers it: reads the model file `path` (see
/// VexPlantModelReader; `progress` hears each stage), then applies it to `document` as one session
/// event, so that a failure rolls it all back. The source is the file's absolute path.
VexImportReport VexImportPlantModel(VexDocument& document, const VexUnicodeString& path,
                                    const VexPlantModelReader::Progress& progress = {});
