#pragma once
// An EDSA session that also watches the EDSA programs: every program the services start is
// recorded as it starts, and the stand-in programs' own log beside the master file is read back.
// It can make master files of each network type, swap the EDSA folder, and load the sample plant
// with its EDSA result files.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GrdGuiFixture.h"

class EdsaSessionTest : public GrdGuiTest {
 public:
  /// One program start: the program's file name, then its arguments.
  using Run = std::vector<std::string>;
  using Lines = std::vector<std::string>;

 protected:
  EdsaSessionTest();
  ~EdsaSessionTest() override;

  /// Writes the master file `name` into the test folder, with a "NetworkType=" line when
  /// `networkType` is not empty (else its extension tells the type), and makes it current.
  std::string UseMasterFile(const std::string& name, const std::string& networkType = "");
  /// The programs started so far, in order.
  const std::vector<Run>& Starts() const { return starts_; }
  /// The runs the stand-in programs logged beside the master file, once there are `count` of
  /// them (waits up to ten seconds; fewer when they never came), without their time stamps.
  std::vector<Run> WaitForLoggedRuns(std::size_t count) const;

  /// Points the EDSA folder at a copy of the stand-in folder that lacks `program`.
  std::filesystem::path UseEdsaFolderWithout(const std::string& program);
  /// Points the EDSA folder at `folder`, which need not exist.
  void UseEdsaFolder(const std::filesystem::path& folder);

  /// Makes a copy of the sample plant the document, copies its master file into the test
  /// folder's "edsa" and makes it current (no result files: an analysis writes them). Returns the copied project's folder.
  std::filesystem::path LoadSamplePlant();

  /// A text of the utilities' catalog, built with `parameters`.
  static std::string UtilitiesText(const char* key,
                                   const std::vector<std::string>& parameters = {});

  /// The message the Analysis tab shows when it refuses a variant.
  static std::string Refusal(const char* firstKey, const char* secondKey);

 private:
  void SetMasterFile(const std::string& path);

  int observer_ = 0;
  std::vector<Run> starts_;
  std::unique_ptr<ScopedEnv> edsaFolder_;
};
