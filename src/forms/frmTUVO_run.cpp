// The Compute run. (not yet built: the handlers do nothing)
#include "forms/frmTUVO.h"

namespace tuvo {

void frmTUVO::cmdRun_Click() {}

}  // namespace tuvo
