// The location cascade: office -> projects and stations, project -> sections.
#include "forms/frmTUVO.h"
#include "forms/location_catalogue.h"

namespace tuvo {

// The offices, as the window is designed and as the reset puts them back.
void frmTUVO::FillOfficeList() {
  for (std::string_view office : OfficeList()) cboSamnuk.AddItem(office);
}

// Office chosen: the project and station lists are rebuilt from empty; the section list stays.
void frmTUVO::cboSamnuk_Click() {
  cboKrongkan.Clear();
  cboProvince.Clear();
  cboKrongkan.SetEnabled(true);
  Label15.SetEnabled(true);
  const std::string office = cboSamnuk.Text();
  for (std::string_view project : OfficeProjectList(office)) cboKrongkan.AddItem(project);
  for (std::string_view station : OfficeStationList(office)) cboProvince.AddItem(station);
}

// Project chosen: the section list is rebuilt from empty.
void frmTUVO::cboKrongkan_Click() {
  cboFai.Clear();
  for (std::string_view section : ProjectSectionList(cboKrongkan.Text())) cboFai.AddItem(section);
}

}  // namespace tuvo
