#pragma once
// Reads a plant model file to import. The plant text format is read here; an IFC file (a STEP
// file) is read by the model reader program in a child process, which writes the plant text
// format on its standard output and its progress on its standard error. The child keeps the IFC
// library, its locale and any crash of it away from the session.

#include <functional>
#include <string>
#include <string_view>

#include "VexPlantModel.h"

class VexPlantModelReader {
 public:
  /// Called with each stage the reading reaches ("parsing the file", "mapping 4000 of 10000").
  using Progress = std::function<void(const std::string& stage)>;

  /// Reads `path`. A file that cannot be read or is not a model raises a VexInputError naming it.
  static VexPlantModel Read(const VexUnicodeString& path, const Progress& progress = {});

  /// The model reader program (default: the one built with the host).
  static void SetReaderProgram(const VexUnicodeString& program);
  static VexUnicodeString GetReaderProgram();

  /// True when `head` (the start of a file) is a STEP exchange file.
  static bool IsStepFile(std::string_view head);
};
