#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "PeerFixture.h"
#include "VexQtUser.h"

namespace {

QAbstractButton* ButtonOf(QWidget& modal, QMessageBox::StandardButton which) {
  return dynamic_cast<QMessageBox&>(modal).button(which);
}

class QuestionTest : public ::testing::Test {
 protected:
  VexQtUser user;
};

struct AnswerCase {
  const char* name;
  QMessageBox::StandardButton click;
  bool expected;
};

class YesNoTest : public QuestionTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(YesNoTest, TheButtonClickedIsTheAnswer) {
  QString question;
  WhenModalOpens([&](QWidget& modal) {
    question = dynamic_cast<QMessageBox&>(modal).text();
    ButtonOf(modal, GetParam().click)->click();
  });
  EXPECT_EQ(user.AnswerYesNo("EDSA", "Delete the branch BUS1->BUS2?"), GetParam().expected);
  EXPECT_EQ(question, "Delete the branch BUS1->BUS2?");
}

INSTANTIATE_TEST_SUITE_P(Answers, YesNoTest,
                         ::testing::Values(AnswerCase{"Yes", QMessageBox::Yes, true},
                                           AnswerCase{"No", QMessageBox::No, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuestionTest, AMessageShowsWithTheIconOfItsKind) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  WhenModalOpens([&](QWidget& modal) {
    icon = dynamic_cast<QMessageBox&>(modal).icon();
    ButtonOf(modal, QMessageBox::Ok)->click();
  });
  user.Acknowledge("EDSA", "The master file is missing.", 3);
  EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST_F(QuestionTest, AFileChoiceOffersTheModulesFiltersAndReturnsThePath) {
  QStringList filters;
  WhenModalOpens([&](QWidget& modal) {
    auto& dialog = dynamic_cast<QFileDialog&>(modal);
    filters = dialog.nameFilters();
    dialog.selectFile("/tmp/pull1.cpd");
    static_cast<QDialog&>(dialog).accept();
  });
  auto chosen = user.ChooseFile("Cable pull", VexListValVexUnicodeString{"Cable Pull Data (*.cpd)"});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->str(), "/tmp/pull1.cpd");
  EXPECT_EQ(filters.front(), "Cable Pull Data (*.cpd)");
}

TEST_F(QuestionTest, ACancelledFileChoiceIsNoFile) {
  WhenModalOpens([](QWidget& modal) { dynamic_cast<QFileDialog&>(modal).reject(); });
  EXPECT_FALSE(user.ChooseFile("Cable pull", {}).has_value());
}

}  // namespace
