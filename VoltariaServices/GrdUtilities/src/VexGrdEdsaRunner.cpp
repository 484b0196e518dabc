#include "VexGrdEdsaRunner.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "VexGrdUtilitiesInputErr.h"
#include "VexProcess.h"

namespace fs = std::filesystem;

namespace {

std::optional<VexUnicodeString>& ExplicitFolder() {
  static std::optional<VexUnicodeString> folder;
  return folder;
}

// The folder checks that come before starting a program, each with its own message.
fs::path RequireProgram(const char* programFileName) {
  VexUnicodeString folder = VexGrdEdsaRunner::GetEdsaFolder();
  if (folder.IsEmpty()) {
    throw VexGrdUtilitiesInputErr(2, "EdsaFolderNotSet", {VexUnicodeString(programFileName)});
  }
  std::error_code error;
  if (!fs::is_directory(fs::path(folder.str()), error)) {
    throw VexGrdUtilitiesInputErr(2, "EdsaFolderMissing", {folder, programFileName});
  }
  VexUnicodeString program = VexGrdEdsaRunner::FindProgram(programFileName);
  if (program.IsEmpty()) {
    throw VexGrdUtilitiesInputErr(2, "EdsaProgramMissing", {programFileName, folder});
  }
  return fs::path(program.str());
}

}  // namespace

const std::vector<const char*>& VexGrdEdsaRunner::GetProgramFileNames() {
  static const std::vector<const char*> names = {kScac3p,   kScdc,     kScac1pxf, kAclfmain,
                                                 kDclfmain, kMstrmain, kHarmmain, kWinedsa,
                                                 kCablpull, kWwrsznec};
  return names;
}

void VexGrdEdsaRunner::SetEdsaFolder(const VexUnicodeString& folder) {
  if (folder.IsEmpty()) {
    ExplicitFolder().reset();
  } else {
    ExplicitFolder() = folder;
  }
}

VexUnicodeString VexGrdEdsaRunner::GetEdsaFolder() {
  if (ExplicitFolder()) return *ExplicitFolder();
  const char* variable = std::getenv(kFolderVariable);
  return VexUnicodeString(variable ? variable : "");
}

VexUnicodeString VexGrdEdsaRunner::FindProgram(const char* programFileName) {
  VexUnicodeString folder = GetEdsaFolder();
  if (folder.IsEmpty() || !programFileName || !*programFileName) return {};
  fs::path program = fs::path(folder.str()) / programFileName;
  std::error_code error;
  return fs::is_regular_file(program, error) ? VexUnicodeString(program.string()) : VexUnicodeString();
}

int VexGrdEdsaRunner::Start(const char* programFileName,
                            const std::vector<VexUnicodeString>& arguments) {
  std::vector<std::string> texts{RequireProgram(programFileName).string()};
  for (const auto& argument : arguments) texts.push_back(argument.str());
  std::vector<char*> argv;
  for (auto& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);

  int pid = 0;
  int status = 0;
  try {
    VexStartProcess(argv[0], argv.data(), 1, &pid, &status);
  } catch (const VexInputError& error) {
    const auto& parameters = error.GetParameters();
    VexUnicodeString reason = parameters.size() > 1 ? parameters[1] : error.GetMessageText();
    throw VexGrdUtilitiesInputErr(2, "ProgramStartFailed", {VexUnicodeString(texts[0]), reason});
  }
  return pid;
}
