#pragma once
// Path rules the project services and their callers share.

#include "VexUnicodeString.h"

class VexGrdPathServices {
 public:
  /// Splits `path` into its directory (ending with '/', empty for a bare file name) and its base
  /// name (no directory, no extension); returns the extension with its dot, or empty. The
  /// extension starts at the file name's last dot unless that dot begins the name (".profile"
  /// has none). Base name followed by extension is the file name. Null outputs are skipped.
  static VexUnicodeString SplitPath(const VexUnicodeString& path, VexUnicodeString* directory,
                                    VexUnicodeString* baseName);

  /// The folder where job files without a folder of their own go, ending with '/': the master
  /// file's folder when there is a master file, else $XDG_DATA_HOME/voltaria/jobs (or
  /// ~/.local/share/voltaria/jobs). Created when missing; a folder that cannot be created is a
  /// VexGrdUtilitiesInputErr naming it.
  static VexUnicodeString GetUserJobFileLocation(const VexUnicodeString& masterFilePath);
};
