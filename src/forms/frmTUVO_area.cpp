// Area group entry. (not yet built: the handlers do nothing)
#include "forms/frmTUVO.h"

namespace tuvo {

void frmTUVO::cboGroup_Change() {}
void frmTUVO::cboGroup_Click() {}
void frmTUVO::txtArea2_Change() {}
void frmTUVO::txtArea2_Click() {}
void frmTUVO::cmdInputArea_Click() {}
void frmTUVO::cmdEdit1_Click() {}
void frmTUVO::AreaEntryRestart() {}
void frmTUVO::FinishAreaEntry() {}

}  // namespace tuvo
