#include "VoltariaOptions.h"

#include <map>

const char* VoltariaOptions::Usage() {
  return "usage: voltaria [--plant FILE | --new-plant FILE] [--script FILE] [--edsa DIR]\n"
         "                [--settings DIR] [--unit U] [--text | --screenshots DIR]\n"
         "                [--import MODEL]...\n"
         "\n"
         "  With no option, voltaria copies the bundled sample plant and its EDSA project into a\n"
         "  fresh working folder and opens the window on it, the EDSA panel docked beside the\n"
         "  plant; without a display it plays the bundled tour of the EDSA panel as text.\n"
         "\n"
         "  --plant FILE     the plant document to open\n"
         "  --new-plant FILE a new, empty plant document to create and open\n"
         "  --script FILE    play the commands of FILE instead of asking at a prompt\n"
         "  --edsa DIR       the EDSA folder (default: $VOLTARIA_EDSA_HOME, else the stand-in\n"
         "                   EDSA folder built with the program)\n"
         "  --settings DIR   where user settings are kept (default: $VEX_SETTINGS_DIR, else\n"
         "                   $XDG_CONFIG_HOME/voltaria or ~/.config/voltaria)\n"
         "  --unit U         the length unit to work in: mm, cm, m, km, in, ft, yd, mi\n"
         "  --text           a terminal session even when a display is there\n"
         "  --screenshots DIR  play the tour in the window and write a picture of each step\n"
         "                   into DIR (starts its own Xvfb when there is no display)\n"
         "  --import MODEL   import the plant elements of MODEL (an IFC file or a plant text\n"
         "                   file) into the plant first, then go on; may be repeated\n"
         "  --help           this text\n"
         "\n"
         "  At the prompt, type 'help' for the commands.\n";
}

VoltariaOptions VoltariaOptions::Parse(int argc, char** argv) {
  VoltariaOptions options;
  const std::map<std::string, std::optional<std::string> VoltariaOptions::*> valued = {
      {"--plant", &VoltariaOptions::plant},       {"--new-plant", &VoltariaOptions::newPlant},
      {"--script", &VoltariaOptions::script},
      {"--edsa", &VoltariaOptions::edsa},         {"--settings", &VoltariaOptions::settings},
      {"--unit", &VoltariaOptions::unit},         {"--screenshots", &VoltariaOptions::screenshots}};
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    if (argument == "--text") {
      options.text = true;
      continue;
    }
    std::string value;
    std::size_t equals = argument.find('=');
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
      argument = argument.substr(0, equals);
    }
    if (argument == "--import") {
      options.imports.push_back(equals != std::string::npos ? value : i + 1 < argc ? argv[++i] : "");
      if (options.imports.back().empty()) throw std::invalid_argument("--import needs a value");
      continue;
    }
    auto option = valued.find(argument);
    if (option == valued.end()) throw std::invalid_argument("unknown option " + argument);
    if (equals == std::string::npos) {
      if (i + 1 >= argc) throw std::invalid_argument(argument + " needs a value");
      value = argv[++i];
    }
    if (value.empty()) throw std::invalid_argument(argument + " needs a value");
    options.*(option->second) = value;
  }
  if (options.plant && options.newPlant) throw std::invalid_argument("give --plant or --new-plant, not both");
  if (options.text && options.screenshots) throw std::invalid_argument("give --text or --screenshots, not both");
  if (!options.imports.empty() && !options.plant && !options.newPlant) {
    throw std::invalid_argument("--import needs a plant document (--plant FILE or --new-plant FILE)");
  }
  return options;
}
