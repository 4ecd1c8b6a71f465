// Effective-rainfall choice and own rainfall entry. (not yet built: the handlers do nothing)
#include "forms/frmTUVO.h"

namespace tuvo {

void frmTUVO::optRe1_Click() {}
void frmTUVO::optRe2_Click() {}
void frmTUVO::optAcres1_Click() {}
void frmTUVO::optAcres2_Click() {}
void frmTUVO::optAcres3_Click() {}
void frmTUVO::optUSDA_Click() {}
void frmTUVO::optRe1_GotFocus() {}
void frmTUVO::optRe2_GotFocus() {}
void frmTUVO::optAcres1_GotFocus() {}
void frmTUVO::optAcres2_GotFocus() {}
void frmTUVO::optAcres3_GotFocus() {}
void frmTUVO::optUSDA_GotFocus() {}
void frmTUVO::optRe01_Click() {}
void frmTUVO::optRe02_Click() {}
void frmTUVO::txtRain_Click() {}
void frmTUVO::txtRain_Change() {}
void frmTUVO::cmdRe_Click() {}
void frmTUVO::cmdEdit2_Click() {}
void frmTUVO::FinishRainEntry() {}

}  // namespace tuvo
