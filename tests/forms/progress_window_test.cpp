// The progress window: what it shows at each step of a run.
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

#include "forms/frmTUVO2.h"
#include "window_fixture.h"

namespace tuvo {
namespace {

TEST(ProgressWindow, ShowsEachValueAndKeepsTheTextWhileOnlyTheBarMoves) {
  frmTUVO2 progress;
  EXPECT_EQ(progress.windowTitle().toStdString(), frmTUVO2::Caption);
  EXPECT_EQ(progress.Label1->text().toStdString(), frmTUVO2::WaitText);
  EXPECT_EQ(progress.ProgressText(), "") << "a freshly loaded window has an empty text area";
  progress.Show();
  EXPECT_TRUE(progress.isVisible());

  Progress& run = progress;  // the run sees only the interface
  run.ShowProgress(1);
  run.ShowProgress(3);
  run.ShowProgress(8);
  run.SetBar(8 + 1.0 / 20);
  run.SetBar(8 + 1.0 / 20);
  run.ShowProgress(26);
  run.ShowProgress(100);

  const std::vector<frmTUVO2::Step> expected = {
      {1, "1 % Completed"},   {3, "3 % Completed"},       {8, "8 % Completed"},
      {8.05, "8 % Completed"}, {8.05, "8 % Completed"}, {26, "26 % Completed"},
      {100, "100 % Completed"}};
  ASSERT_EQ(progress.Steps().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_DOUBLE_EQ(progress.Steps()[i].bar, expected[i].bar) << i;
    EXPECT_EQ(progress.Steps()[i].text, expected[i].text) << i;
  }
  EXPECT_EQ(progress.ProgressBar1->value(), progress.ProgressBar1->maximum());
  EXPECT_EQ(progress.Picture1->text().toStdString(), "100 % Completed");
}

TEST(ProgressWindow, TheBarCarriesFractions) {
  frmTUVO2 progress;
  progress.SetBar(9);
  EXPECT_DOUBLE_EQ(progress.BarValue(), 9);
  progress.SetBar(8.05);
  EXPECT_DOUBLE_EQ(progress.BarValue(), 8.05);
  EXPECT_EQ(progress.ProgressBar1->value() * 100 / progress.ProgressBar1->maximum(), 8);
  EXPECT_GT(progress.ProgressBar1->value(), progress.ProgressBar1->maximum() * 8 / 100);
}

}  // namespace
}  // namespace tuvo
