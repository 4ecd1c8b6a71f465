// Crop, start-date and preparation inputs. (not yet built: the handlers do nothing)
#include "forms/frmTUVO.h"

namespace tuvo {

void frmTUVO::cboCroptype_Click() {}
void frmTUVO::cboFirstdate_Click() {}
void frmTUVO::cboFirstmonth_Click() {}
void frmTUVO::cboTriamplangKla_Change() {}
void frmTUVO::cboTriamplangKla_Click() {}
void frmTUVO::cboLiengklatime_Change() {}
void frmTUVO::cboLiengklatime_Click() {}
void frmTUVO::cboTriamplangNaDam_Click() {}
void frmTUVO::cboTriamplangNaWan_Change() {}
void frmTUVO::cboTriamplangNaWan_Click() {}
void frmTUVO::cboSoiltype_Click() {}
void frmTUVO::cboATokla_Change() {}
void frmTUVO::cboDeeper_Change() {}

}  // namespace tuvo
