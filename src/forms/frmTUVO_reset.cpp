// Reset for a new computation. (not yet built: the handlers do nothing)
#include "forms/frmTUVO.h"

namespace tuvo {

void frmTUVO::cmdRun2_Click() {}

}  // namespace tuvo
