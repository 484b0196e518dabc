#pragma once
// The command line of the host program.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct VoltariaOptions {
  std::optional<std::string> plant;     ///< an existing plant document to open
  std::optional<std::string> newPlant;  ///< a plant document to create
  std::optional<std::string> script;    ///< a script to play instead of an interactive session
  std::optional<std::string> edsa;      ///< the EDSA folder (wins over VOLTARIA_EDSA_HOME)
  std::optional<std::string> settings;  ///< the settings folder (wins over VEX_SETTINGS_DIR)
  std::optional<std::string> unit;      ///< the length unit to work in ("mm", "m", "in", ...)
  std::optional<std::string> screenshots;  ///< play the tour in the window, a picture per step
  bool text = false;                    ///< a terminal session even when a display is there
  std::vector<std::string> imports;    ///< models to import before the session goes on
  bool help = false;

  /// The main job: no plant and no script given, so the bundled tour runs on a copy of the sample.
  bool IsTour() const { return !plant && !newPlant && !script; }

  /// Reads argv; a bad option raises std::invalid_argument with a message for the person.
  static VoltariaOptions Parse(int argc, char** argv);
  static const char* Usage();
};
