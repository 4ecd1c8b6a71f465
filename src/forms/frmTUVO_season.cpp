// Season length and calendar. (not yet built: the handlers do nothing)
#include "forms/frmTUVO.h"

namespace tuvo {

void frmTUVO::TimeControl01() {}
void frmTUVO::TimeControl02() {}
void frmTUVO::TimeControl03() {}
void frmTUVO::ScheduleLengthStep() {}
void frmTUVO::cboFirstyear_Click() {}
void frmTUVO::TimeControl04() {}

std::optional<locale::Date> frmTUVO::SeasonStart() const { return std::nullopt; }

}  // namespace tuvo
