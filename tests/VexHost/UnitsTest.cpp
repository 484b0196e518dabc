#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFolder.h"
#include "VexCkeUnitFrame.h"
#include "VexError.h"
#include "VexParmDictionary.h"
#include "VexSettingRepository.h"

namespace {

class UnitsTest : public ::testing::Test {
 protected:
  void SetUp() override { VexSettingRepository::ForgetLoadedRepositories(); }
  void TearDown() override { VexSettingRepository::ForgetLoadedRepositories(); }
  TestFolder folder;
  ScopedEnv settings{"VEX_SETTINGS_DIR", folder.Path().string()};
};

struct UnitCase {
  const char* symbol;
  double metres;
  const char* shown;
};

}  // namespace

TEST_F(UnitsTest, TheLengthIsShownInTheUsersUnit) {
  VexICkeMagnitude_var length = VexParmDictionary::FindMagnitude("LENGTH");
  ASSERT_TRUE(length);
  EXPECT_EQ(length->GetCurrentUnit()->GetSymbol(), "m");  // no preference stored yet
  VexVar<VexCkeUnitFrame> field(new VexCkeUnitFrame(nullptr, "Length"));
  const std::vector<UnitCase> cases = {
      {"m", 2.5, "2.5 m"},       {"mm", 2.5, "2500 mm"},   {"cm", 0.125, "12.5 cm"},
      {"km", 1234.5, "1.2345 km"}, {"in", 2.5, "98.4252 in"}, {"ft", 2.5, "8.2021 ft"},
      {"yd", 0.9144, "1 yd"},    {"mi", 0.0, "0 mi"},
  };
  for (const UnitCase& c : cases) {
    SCOPED_TRACE(c.symbol);
    VexParmDictionary::SetCurrentUnit("LENGTH", c.symbol);
    field->Set(length, c.metres);
    EXPECT_EQ(field->GetDisplayedText(), c.shown);
    EXPECT_DOUBLE_EQ(field->GetValue(), c.metres);
  }
  VexSettingRepository::ForgetLoadedRepositories();  // the preference was saved
  EXPECT_EQ(length->GetCurrentUnit()->GetSymbol(), "mi");
}

TEST_F(UnitsTest, UnknownNamesAreRefused) {
  EXPECT_FALSE(VexParmDictionary::FindMagnitude("MASS"));
  EXPECT_THROW(VexParmDictionary::SetCurrentUnit("LENGTH", "furlong"), VexInputError);
  EXPECT_THROW(VexParmDictionary::SetCurrentUnit("MASS", "kg"), VexInputError);
  char stored[] = "furlong";  // a hand-edited preference
  VexSettingRepository::GetRepository("VoltariaPreferences", 0, 1, nullptr)
      ->WriteSetting("LengthUnit", stored, 7, 0);
  EXPECT_FALSE(VexParmDictionary::FindMagnitude("LENGTH")->GetCurrentUnit());
}
