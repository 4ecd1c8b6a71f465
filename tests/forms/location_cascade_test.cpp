// The location cascade as a person uses it: office, then project, then section.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "location_texts.h"
#include "window_fixture.h"

namespace tuvo {
namespace {

using namespace testing_texts;

std::vector<std::string> Items(const controls::ComboBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.Item(i));
  return items;
}

class LocationCascade : public ::testing::Test {
 protected:
  testing::ShownWindow w;
  frmTUVO& frm = w.frm;
};

TEST_F(LocationCascade, OfficeFillsProjectsAndStationsAndChoosesNothing) {
  frm.cboSamnuk.Pick(kOffice7);
  std::vector<std::string> projects = kOffice7Projects;
  projects.push_back("");  // office 7's list ends with an empty item
  EXPECT_EQ(Items(frm.cboKrongkan), projects);
  EXPECT_EQ(frm.cboKrongkan.ListCount(), 8);
  EXPECT_EQ(Items(frm.cboProvince), kOffice7Stations);
  EXPECT_EQ(frm.cboKrongkan.Text(), "");
  EXPECT_EQ(frm.cboProvince.Text(), "");
  EXPECT_EQ(frm.cboFai.ListCount(), 0);

  frm.cboKrongkan.Pick(7);  // the empty project item: no sections at all
  EXPECT_EQ(frm.cboFai.ListCount(), 0);
  frm.cboKrongkan.Pick(0);
  EXPECT_EQ(Items(frm.cboFai), (std::vector<std::string>{kSectionPrefix + "1", kSectionPrefix + "2",
                                                          kSectionPrefix + "3", kSectionPrefix + "4"}));
}

TEST_F(LocationCascade, ProjectsWithOneEmptySectionOrOneUnnumberedSection) {
  frm.cboSamnuk.Pick(kOffice11);
  frm.cboKrongkan.Pick(kPathumThaniProject);
  EXPECT_EQ(Items(frm.cboFai), (std::vector<std::string>{""})) << "one item, the empty text";

  frm.cboSamnuk.Pick(kOffice10);
  frm.cboKrongkan.Pick(kSaraburiProject);
  EXPECT_EQ(Items(frm.cboFai), (std::vector<std::string>{kUnnumberedSection}));

  frm.cboKrongkan.Pick(kKlongLuangProject);
  EXPECT_EQ(Items(frm.cboFai), (std::vector<std::string>{kSectionPrefix + "1", kSectionPrefix + "2",
                                                          kSectionPrefix + "3"}));
}

TEST_F(LocationCascade, ChoosingAnOfficeAgainRebuildsAndKeepsTheSections) {
  frm.cboSamnuk.Pick(kOffice7);
  const int projects = frm.cboKrongkan.ListCount();
  const int stations = frm.cboProvince.ListCount();
  frm.cboKrongkan.Pick(0);
  frm.cboFai.Pick(2);
  frm.cboProvince.Pick(1);
  frm.cboSamnuk.Pick(kOffice7);
  EXPECT_EQ(frm.cboKrongkan.ListCount(), projects) << "each item once";
  EXPECT_EQ(frm.cboProvince.ListCount(), stations);
  EXPECT_EQ(frm.cboKrongkan.Text(), "");
  EXPECT_EQ(frm.cboProvince.Text(), "");
  EXPECT_EQ(frm.cboFai.ListCount(), 4) << "the sections of the earlier project stay";
  EXPECT_EQ(frm.cboFai.Text(), kSectionPrefix + "3");

  frm.cboSamnuk.Pick(kOffice4);
  EXPECT_EQ(frm.cboProvince.ListCount(), 9);
  EXPECT_EQ(frm.cboFai.Text(), kSectionPrefix + "3");
}

TEST_F(LocationCascade, OfficeEnablesTheProjectListAndItsLabelOnly) {
  frm.cboKrongkan.SetEnabled(false);
  frm.Label15.SetEnabled(false);
  frm.cboProvince.SetEnabled(false);
  frm.cboFai.SetEnabled(false);
  frm.cboSamnuk.Pick(0);
  EXPECT_TRUE(frm.cboKrongkan.Enabled());
  EXPECT_TRUE(frm.Label15.Enabled());
  EXPECT_FALSE(frm.cboProvince.Enabled());
  EXPECT_FALSE(frm.cboFai.Enabled());
}

TEST_F(LocationCascade, AnOfficeTextWrittenByCodeThatIsNoOfficeLeavesTheListsEmpty) {
  frm.cboSamnuk.Pick(kOffice7);
  frm.cboSamnuk.SetText(kOffice7 + " ");
  frm.cboSamnuk_Click();
  EXPECT_EQ(frm.cboKrongkan.ListCount(), 0);
  EXPECT_EQ(frm.cboProvince.ListCount(), 0);
}

}  // namespace
}  // namespace tuvo
