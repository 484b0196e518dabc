#pragma once
// Starts the EDSA programs. EDSA lives in one folder, the EDSA folder:
//   - the folder given with SetEdsaFolder (the host program passes its --edsa option), else
//   - the environment variable VOLTARIA_EDSA_HOME, read here and only here (never by the module).
// A program is started from that folder by its file name, with VexStartProcess in mode 1: no
// waiting, no shell, an argument vector whose first entry is the program's path. A missing folder
// or program is a VexGrdUtilitiesInputErr of severity 2 whose message names the program.

#include <string>
#include <vector>

#include "VexUnicodeString.h"

class VexGrdEdsaRunner {
 public:
  static constexpr const char* kFolderVariable = "VOLTARIA_EDSA_HOME";

  // The EDSA programs, by the file names EDSA installs them under.
  static constexpr const char* kScac3p = "scac3p.exe";      ///< three-phase short circuit
  static constexpr const char* kScdc = "scdc.exe";          ///< DC short circuit
  static constexpr const char* kScac1pxf = "scac1pxf.exe";  ///< single-phase short circuit
  static constexpr const char* kAclfmain = "aclfmain.exe";  ///< AC load flow
  static constexpr const char* kDclfmain = "dclfmain.exe";  ///< DC load flow
  static constexpr const char* kMstrmain = "mstrmain.exe";  ///< motor starting
  static constexpr const char* kHarmmain = "harmmain.exe";  ///< harmonics
  static constexpr const char* kWinedsa = "winedsa.exe";    ///< interactive EDSA
  static constexpr const char* kCablpull = "cablpull.exe";  ///< cable pull
  static constexpr const char* kWwrsznec = "Wwrsznec.exe";  ///< wire sizing

  /// Every program above, in that order.
  static const std::vector<const char*>& GetProgramFileNames();

  /// Makes `folder` the EDSA folder, over the environment variable; an empty folder gives the
  /// choice back to the variable.
  static void SetEdsaFolder(const VexUnicodeString& folder);
  /// The folder set with SetEdsaFolder, else the variable's value, else empty.
  static VexUnicodeString GetEdsaFolder();

  /// The path of `programFileName` in the EDSA folder when that file exists; empty otherwise.
  static VexUnicodeString FindProgram(const char* programFileName);

  /// Starts `programFileName` from the EDSA folder with `arguments` after its own path, without
  /// waiting; returns the process identifier.
  static int Start(const char* programFileName, const std::vector<VexUnicodeString>& arguments);
};
