// Area group entry: the group count, the area of each group typed and stored one after the
// other, the lock of the lists, and what Compute needs before it may start.
#include "forms/frmTUVO.h"
#include "forms/frmTUVO_shared.h"

#include <initializer_list>
#include <optional>
#include <string_view>

#include "platform/controls.h"
#include "platform/locale.h"

namespace tuvo {

namespace {

using controls::ComboBox;

// The tables of the main form hold 20 groups.
constexpr int kMaxGroups = 20;

// Highest area of one group, in rai.
constexpr double kMaxAreaRai = 10'000'000;

// The lists the run reads as 16-bit whole numbers, each with the label that names it.
struct WholeNumberList {
  ComboBox frmTUVO::*list;
  controls::Label frmTUVO::*label;
};

constexpr WholeNumberList kWholeNumberLists[] = {
    {&frmTUVO::cboTriamplangKla, &frmTUVO::Label5},  {&frmTUVO::cboLiengklatime, &frmTUVO::Label22},
    {&frmTUVO::cboATokla, &frmTUVO::Label18},        {&frmTUVO::cboTriamdinkla, &frmTUVO::Label11},
    {&frmTUVO::cboLiengkla, &frmTUVO::Label12},      {&frmTUVO::cboTriamplangNaDam, &frmTUVO::Label19},
    {&frmTUVO::cboTriamplangNaWan, &frmTUVO::Label25}, {&frmTUVO::cboStop, &frmTUVO::Label21},
    {&frmTUVO::cboGroup, &frmTUVO::Label28},
};

// A label's caption without the dots that lead to its field.
std::string Named(const controls::Label& label) {
  std::string caption = label.Caption();
  while (!caption.empty() && (caption.back() == '.' || caption.back() == ' ')) caption.pop_back();
  return caption;
}

// A group number or count: a whole number from 1 to 20; none otherwise.
std::optional<int> GroupNumber(double value) {
  try {
    const int whole = locale::ToInt16(value);
    if (whole >= 1 && whole <= kMaxGroups) return whole;
  } catch (const locale::OverflowError&) {
  }
  return std::nullopt;
}

// A group number or count from the leading number of a text.
std::optional<int> GroupNumber(std::string_view text) {
  try {
    return GroupNumber(locale::LeadingNumber(text));
  } catch (const locale::OverflowError&) {
    return std::nullopt;
  }
}

// The group count as the run reads it: the whole text reads as a number under the locale's
// conversion (blanks at either end aside) and comes to the same count 1 to 20 as its leading
// number ("1,5" and "1 กลุ่ม" lead with 1 but are no number); none otherwise.
std::optional<int> RunGroupCount(std::string_view text) {
  const std::optional<int> count = GroupNumber(text);
  const std::optional<double> strict = locale::TryToNumber(text);
  if (!count || !strict || GroupNumber(*strict) != count) return std::nullopt;
  return count;
}

// The first whole-number list the run could not read (beyond 16 bits, or the nursery weeks'
// sum beyond), as the message that names it; none when all read.
std::optional<std::string> UnreadableWeekList(const frmTUVO& frm) {
  for (const WholeNumberList& w : kWholeNumberLists) {
    const std::string text = (frm.*w.list).Text();
    try {
      locale::WholeNumber(text);
    } catch (const locale::OverflowError&) {
      return Named(frm.*w.label) + ": ค่า \"" + text + "\" อยู่นอกช่วงที่คำนวณได้";
    }
  }
  try {
    locale::ToInt16(static_cast<double>(locale::WholeNumber(frm.cboTriamplangKla.Text())) +
                    locale::WholeNumber(frm.cboLiengklatime.Text()));
  } catch (const locale::OverflowError&) {
    return Named(frm.Label5) + " + " + Named(frm.Label22) + ": ผลรวมอยู่นอกช่วงที่คำนวณได้";
  }
  return std::nullopt;
}

// Group count picked or typed: a count the run cannot read as 1 to 20 is refused with a beep and
// an emptied field, at the keystroke that breaks it, before the entry can lock it in the list; a
// count the tables hold opens the date lists and restarts the area entry.
void GroupCountChanged(frmTUVO& frm, bool picked) {
  if (!RunGroupCount(frm.cboGroup.Text())) {
    controls::Beep();
    frm.cboGroup.SetText("");
    return;
  }
  for (controls::Label* l : {&frm.lblMonth, &frm.lblweek}) l->SetCaption("?");
  frm.txtGroup.SetText("?");
  if (picked) {
    frm.Label13.SetCaption("?");
    frm.Label17.SetCaption("?");
  }
  for (ComboBox* date : {&frm.cboFirstdate, &frm.cboFirstmonth, &frm.cboFirstyear}) date->SetEnabled(true);
  frm.ScheduleLengthStep();
  frm.AreaEntryRestart();
}

}  // namespace

// Group count typed or written.
void frmTUVO::cboGroup_Change() { GroupCountChanged(*this, false); }

// Group count picked.
void frmTUVO::cboGroup_Click() { GroupCountChanged(*this, true); }

// An area outside 1 to 10,000,000 rai is refused at every keystroke (the empty text too).
void frmTUVO::txtArea2_Change() { RefuseOutside(txtArea2, 1, kMaxAreaRai); }

// Click into the area: with the season's inputs complete the entry opens and every list locks;
// otherwise nothing can be stored, and Compute waits.
void frmTUVO::txtArea2_Click() {
  bool ready = RequiredListsFilled(*this);
  // A week text the run cannot read must stay correctable: the lists are not locked over it.
  if (UnreadableWeekList(*this)) ready = false;
  // Compute needs an efficiency, and the locked list could not be given one afterwards.
  if (!EfficiencyChosen(*this)) ready = false;
  if (!ready) {
    cmdInputArea.SetEnabled(false);
    cmdEdit1.SetEnabled(false);
    cmdRun.SetEnabled(false);
    return;
  }
  cmdInputArea.SetEnabled(true);
  cmdEdit1.SetEnabled(true);
  for (ComboBox frmTUVO::*list : kSeasonLists) (this->*list).SetEnabled(false);
}

// Stores the typed area of the group in txtGroup and moves on to the next group; after the last
// group the entry closes and the summary shows the season. A group number outside the tables,
// or an area text the locale's number conversion cannot read, stores nothing and beeps.
void frmTUVO::cmdInputArea_Click() {
  const std::optional<int> count = GroupNumber(cboGroup.Text());
  double counter = 0;
  try {
    counter = locale::LeadingNumber(txtGroup.Text());
  } catch (const locale::OverflowError&) {
    controls::Beep();
    return;
  }
  const std::optional<int> group = GroupNumber(counter);
  const std::string area = txtArea2.Text().empty() ? std::string("1") : txtArea2.Text();
  // The typing check sees only the leading number ("10,000,001" passes as 10); the area the run
  // reads must lie in the same range.
  const std::optional<double> rai = locale::TryToNumber(area);
  if (!count || !group || !rai || *rai < 1 || *rai > kMaxAreaRai) {
    controls::Beep();  // the field keeps its text, to be corrected
    return;
  }
  fields_.GroupCount = static_cast<std::int16_t>(*count);
  fields_.GroupCounter = counter;
  fields_.GroupLabel[*group] = txtGroup.Text();
  fields_.GroupArea[*group] = area;
  txtArea2.SetFocus();
  fields_.GroupCounter += 1;
  txtGroup.SetText(locale::NumberText(fields_.GroupCounter));
  txtArea2.SetText("");
  if (fields_.GroupCounter > fields_.GroupCount) {
    FinishAreaEntry();
    TimeControl04();
  }
}

// Reopens the area entry at group 1; the lists stay locked and Compute waits for the last group.
void frmTUVO::cmdEdit1_Click() {
  txtArea2.SetEnabled(true);
  txtArea2.SetText("");
  Frame2.SetVisible(true);
  cmdInputArea.SetEnabled(true);
  txtGroup.SetEnabled(true);
  txtArea2.SetFocus();
  txtGroup.SetText("1");
  cmdRun.SetEnabled(false);
}

// The areas are entered again from group 1; the stored areas stay until overwritten.
void frmTUVO::AreaEntryRestart() {
  txtArea2.SetText("");
  txtGroup.SetText("1");
}

// Closes the area entry: the last group stays in view, the rainfall counters start over (an
// own-rainfall entry under way keeps its month), and Compute opens once every group of the
// season has an area the run can read.
void frmTUVO::FinishAreaEntry() {
  txtGroup.SetText(locale::NumberText(fields_.GroupCounter - 1));
  if (fields_.GroupCount >= 1 && fields_.GroupCount <= kMaxGroups) {
    txtArea2.SetText(fields_.GroupArea[static_cast<std::size_t>(fields_.GroupCount)]);
  }
  txtArea2.SetEnabled(false);
  cmdInputArea.SetEnabled(false);
  RainCountersAfterAreaEntry();  // back to 0, unless an own-rainfall entry is under way
  cmdRun.SetEnabled(AreasComplete());
}

// Every group from 1 to the count in cboGroup holds an area the locale's conversion reads
// ("1,500" reads as 1500; the empty area a reset leaves, or "150 ไร่", does not).
bool frmTUVO::AreasComplete() const {
  const std::optional<int> count = GroupNumber(cboGroup.Text());
  if (!count) return false;
  for (int g = 1; g <= *count; ++g) {
    if (!locale::TryToNumber(fields_.GroupArea[static_cast<std::size_t>(g)])) return false;
  }
  return true;
}

// The reason Compute must not start, named for the user; none when the run can read its inputs.
std::optional<std::string> frmTUVO::ComputeRefusal() const {
  if (std::optional<std::string> week = UnreadableWeekList(*this)) return week;
  // The typing check refuses such a count already; a text written from code meets this one.
  const std::optional<int> count = RunGroupCount(cboGroup.Text());
  if (!count) {
    return Named(Label28) + ": ค่า \"" + cboGroup.Text() + "\" ต้องเป็นจำนวน 1 ถึง 20 กลุ่ม";
  }
  for (int g = 1; g <= *count; ++g) {
    const std::string& area = fields_.GroupArea[static_cast<std::size_t>(g)];
    if (!locale::TryToNumber(area)) {
      return Named(Label6) + " " + std::to_string(g) + ": ยังไม่มีขนาดพื้นที่ที่อ่านเป็นตัวเลขได้ (\"" + area + "\")";
    }
  }
  return std::nullopt;
}

}  // namespace tuvo
