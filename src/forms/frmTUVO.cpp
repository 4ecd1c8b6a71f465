// The main window's layout, start-up, Help, Exit and the About footer.
#include "forms/frmTUVO.h"
#include "forms/frmTUVO_shared.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QVBoxLayout>

#include <string_view>

#include "platform/system.h"
#include "season/season.h"

namespace tuvo {

namespace {

// Captions (or start texts) and tooltips of the window's controls, as the window is designed.
struct DesignText {
  std::string_view name;
  std::string_view caption;
  std::string_view tooltip;
};

constexpr DesignText kDesignTexts[] = {
    {"Frame1", "สถานที่", ""},
    {"Frame13", "จังหวัดที่ปลูกข้าว", ""},
    {"Frame11", "ชนิดข้าวที่ปลูก", ""},
    {"Frame5", "การเตรียมแปลงกล้าและตกกล้า", ""},
    {"Frame3", "การเตรียมแปลงนาดำ", ""},
    {"Frame21", "การเตรียมแปลงนาหว่านน้ำตม", ""},
    {"Frame6", "คุณสมบัติของดิน", ""},
    {"Frame22", "ประสิทธิภาพการชลประทาน (%)", ""},
    {"Frame9", "จำนวนกลุ่มพื้นที่", ""},
    {"Frame10", "วัน - เดือน - ปี ที่เริ่มเตรียมแปลง", ""},
    {"Frame2", "ขนาดพื้นที่เตรียมแปลง ( ไร่ )", ""},
    {"Frame17", "สรุป", ""},
    {"Frame7", "ปริมาณน้ำฝนเฉลี่ยรายเดือน (มม.)", ""},
    {"Frame12", "วิธีการประมาณค่าฝนใช้การ", ""},
    {"cmdRun", "คำนวณ", "คลิก เพื่อคำนวณ"},
    {"cmdRun2", "คำนวณต่อ", "คลิก เพื่อคำนวณต่อ"},
    {"cmdEND", "จบการคำนวณ", "คลิก เพื่อจบการทำงาน"},
    {"cmdHelp", "ช่วยเหลือ", "คลิก เพื่อดูคำอธิบายการใช้งานโปรแกรม"},
    {"Label14", "สำนักชลประทาน", ""},
    {"cboSamnuk", "", "คลิกเลือก สำนักชลประทาน"},
    {"Label15", "โครงการชลประทาน", ""},
    {"cboKrongkan", "", "คลิกเลือก โครงการชลประทาน"},
    {"Label16", "ฝ่ายส่งน้ำและบำรุงรักษา", ""},
    {"cboFai", "", "คลิกเลือก ฝ่ายส่งน้ำและบำรุงรักษา"},
    {"cboProvince", "", "คลิกเลือก จังหวัด"},
    {"cboCroptype", "", "คลิกเลือก ชนิดข้าว"},
    {"Label5", "ระยะเวลาเตรียมแปลงกล้า (สัปดาห์)...................", ""},
    {"cboTriamplangKla", "", "คลิกเลือก ระยะเวลาเตรียมแปลงกล้า"},
    {"Label22", "ระยะเวลาเลี้ยงกล้า (สัปดาห์).............................", ""},
    {"cboLiengklatime", "", "คลิกเลือก ระยะเวลาเลี้ยงกล้า"},
    {"Label18", "กำหนดพื้นที่ตกกล้า 1 ไร่ ปักดำได้ (ไร่)...................", ""},
    {"cboATokla", "", "คลิกเลือก อัตราส่วน พ.ท.ตกกล้า ต่อ พ.ท.ปักดำ"},
    {"Label11", "ปริมาณน้ำที่ใช้เพื่อการเตรียมแปลงกล้า (มม.)......", ""},
    {"cboTriamdinkla", "", "คลิกเลือก ปริมาณน้ำที่ใช้เพื่อการเตรียมดินแปลงกล้า"},
    {"Label12", "ปริมาณน้ำที่ใช้เพื่อการเลี้ยงกล้า (มม.).....................", ""},
    {"cboLiengkla", "", "คลิกเลือก ปริมาณน้ำที่ใช้เพื่อการเลี้ยงกล้า"},
    {"Label19", "ระยะเวลาเตรียมแปลงนาดำ (สัปดาห์).....................", ""},
    {"cboTriamplangNaDam", "", "คลิกเลือก ระยะเวลาเตรียมแปลงนาดำ"},
    {"Label20", "ปริมาณน้ำที่ใช้เพื่อการเตรียมแปลง (มม.)...............", ""},
    {"cboNadam1", "", "คลิกเลือก ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน"},
    {"Label25", "ระยะเวลาเตรียมแปลงนาหว่านน้ำตม (สัปดาห์)........", ""},
    {"cboTriamplangNaWan", "", "คลิกเลือก ระยะเวลาเตรียมแปลงนาหว่านน้ำตม"},
    {"Label21", "ระยะเวลาหยุดส่งน้ำหลังจากหว่านข้าว (สัปดาห์).....", ""},
    {"cboStop", "", "คลิกเลือก ระยะเวลาหยุดส่งน้ำ"},
    {"Label33", "ปริมาณน้ำที่ใช้เพื่อการเตรียมแปลง (มม.).................", ""},
    {"cboNawan1", "", "คลิกเลือก ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน"},
    {"Label7", "ชนิดของเนื้อดิน..............", ""},
    {"cboSoiltype", "", "คลิกเลือกชนิดของเนื้อดิน"},
    {"Label10", "อัตราการรั่วซึมในแปลงนา (มม./วัน)....................................", ""},
    {"cboDeeper", "", "พิมพ์หรือคลิกเลือกอัตราการรั่วซึมในแปลงนา"},
    {"cboEfficiency", "", "คลิกเลือกประสิทธิภาพการชลประทาน"},
    {"Label28", "แบ่งพื้นที่เตรียมแปลงออกเป็นจำนวน (กลุ่ม)........................", ""},
    {"cboGroup", "", "คลิกเลือกจำนวนกลุ่มพื้นที่"},
    {"cboFirstdate", "", "คลิกเลือก วัน ที่เริ่มต้นเตรียมแปลง"},
    {"cboFirstmonth", "", "คลิกเลือก เดือน ที่เริ่มต้นเตรียมแปลง"},
    {"cboFirstyear", "", "คลิกเลือก ปี พ.ศ. ที่เริ่มเตรียมแปลง"},
    {"Label6", "ขนาดพื้นที่ กลุ่มที่.................................", ""},
    {"txtGroup", "?", "คลิก เพื่อพิมพ์ค่าปริมาณน้ำเตรียมแปลงที่ต้องการเปลี่ยน"},
    {"txtArea2", "", "คลิกเพื่อใส่ข้อมูลและพิมพ์ค่าขนาดของพื้นที่ (ไร่) ในแต่ละสัปดาห์"},
    {"cmdInputArea", "ใส่ข้อมูล", "คลิก เพื่อใส่ข้อมูลพื้นที่ในแต่ละสัปดาห์"},
    {"cmdEdit1", "แก้ไขข้อมูล", "คลิก เพื่อแก้ไขข้อมูลพื้นที่ในแต่ละสัปดาห์"},
    {"Label4", "เตรียมแปลง  -  หยุดส่งน้ำ (สัปดาห์)........................", ""},
    {"lblweek", "?", "แสดงจำนวนสัปดาห์ทั้งหมดตั้งแต่เตรียมแปลงจนถึงหยุดส่งน้ำ"},
    {"Label34", "เริ่มส่งน้ำ (วันที่ - เดือน - ปี)....................................", ""},
    {"lblFirst", "?", "แสดง วันที่ - เดือน - ปี พ.ศ. ที่เริ่มต้นส่งน้ำ"},
    {"Label36", "หยุดส่งน้ำ (วันที่ - เดือน - ปี)...................................", ""},
    {"lbllast", "?", "แสดง วันที่ - เดือน - ปี พ.ศ. ที่หยุดส่งน้ำ"},
    {"optRe01", "ใช้ฐานข้อมูลของโปรแกรม ", "คลิก เพื่อเลือกใช้ข้อมูลของโปรแกรมTUVO"},
    {"optRe02", "ใช้ข้อมูลปริมาณน้ำฝนเฉลี่ยรายเดือนในพื้นที่จากข้อมูลของผู้คำนวณ", "คลิก เพื่อเลือกใช้ข้อมูลของผู้คำนวณ"},
    {"Label3", "คำนวณฝนใช้การ ตั้งแต่เดือน..................................", ""},
    {"Label13", "?", ""},
    {"Label2", "- ", ""},
    {"Label17", "?", ""},
    {"Label9", "ปริมาณน้ำฝนประจำเดือน..........................", ""},
    {"lblMonth", "?", "แสดงเดือนตามลำดับที่ใช้คำนวณฝนใช้การ"},
    {"txtRain", "", "คลิกเพื่อใส่ข้อมูลและพิมพ์ค่าปริมาณน้ำฝนในแต่ละเดือน"},
    {"cmdRe", "ใส่ข้อมูล", "คลิก เพื่อใส่ข้อมูลปริมาณน้ำฝนในแต่ละเดือน"},
    {"cmdEdit2", "แก้ไขข้อมูล", "คลิก เพื่อแก้ไขข้อมูลน้ำฝนในแต่ละเดือน"},
    {"optRe1", "วิธีของ VESKAR ORMEK", "คลิก เพื่อเลือกวิธีของ VESKAR ORMEK"},
    {"optRe2", "วิธีของ ECI (Engineering Consultant Inc.)", "คลิก เพื่อเลือกวิธีของ ECI"},
    {"optUSDA", "วิธีของ USDA SCS (U.S.Department of Agriculture's Conservation Service)", "คลิก เพื่อเลือกวิธีของ USDA SCS"},
    {"Label1", "วิธีของ Acres (Acres International Ltd.)", ""},
    {"optAcres1", "กรณีที่ 1 ได้แก่สภาพการทำนาในปัจจุบัน ซึ่งสามารถเก็บน้ำฝนไว้ในแปลงนาได้น้อยมาก", "คลิก เพื่อเลือกวิธีของ Acres กรณีที่ 1"},
    {"optAcres2", "กรณีที่ 2 ได้แก่สภาพการทำนาในปัจจุบัน แต่ปริมาณน้ำที่เก็บไว้ในแปลงนามีความสำคัญต่อการเพาะปลูก", "คลิก เพื่อเลือกวิธีของ Acres กรณีที่ 2"},
    {"optAcres3", "กรณีที่ 3 ในอนาคตถ้ามีการปรับปรุงสภาพแปลงนาให้สามารถเก็บน้ำฝนไว้ให้พืชใช้ได้มากขึ้น", "คลิก เพื่อเลือกวิธีของ Acres กรณีที่ 3"},
};

// Width of an option button's caption lines, in pixels.
constexpr int kOptionTextWidth = 300;

// The footer that opens the About box.
constexpr std::string_view kAboutFooter = "เกี่ยวกับโปรแกรม TUVO  (คลิกที่นี่)";

// The Thai month abbreviations, element 0 empty and December twice.
constexpr std::array<const char*, 14> kMonthAbbrev = {
    "",     "ม.ค.", "ก.พ.", "มี.ค.", "เม.ย.", "พ.ค.", "มิ.ย.",
    "ก.ค.", "ส.ค.", "ก.ย.", "ต.ค.", "พ.ย.", "ธ.ค.", "ธ.ค."};

// A list with fixed items: either the numbers first, first + step, .. last, or the texts given.
struct FixedList {
  controls::ComboBox frmTUVO::*list;
  int first, last, step;      // step 0: the texts below
  std::string_view items[3];  // an empty item ends a shorter row
};

// The fixed items of the lists, as the window starts and after a reset (the soil list takes
// the soil table's texts).
constexpr FixedList kFixedLists[] = {
    {&frmTUVO::cboEfficiency, 10, 95, 5, {}},
    {&frmTUVO::cboCroptype, 0, 0, 0, {RDTransplanted, KDML105Transplanted, RDWetSeeded}},
    {&frmTUVO::cboGroup, 1, 20, 1, {}},
    {&frmTUVO::cboTriamplangKla, 0, 0, 0, {"1", "2"}},
    {&frmTUVO::cboLiengklatime, 0, 0, 0, {"3", "4"}},
    {&frmTUVO::cboATokla, 10, 17, 1, {}},
    {&frmTUVO::cboTriamdinkla, 0, 0, 0, {"100", "150"}},
    {&frmTUVO::cboTriamplangNaDam, 0, 0, 0, {"1", "2"}},
    {&frmTUVO::cboTriamplangNaWan, 0, 0, 0, {"1", "2"}},
    {&frmTUVO::cboStop, 0, 0, 0, {"1", "2", "3"}},
    {&frmTUVO::cboFirstdate, 1, 31, 1, {}},
};

// The design text of a control: a caption, or the start text of a field or list.
void ApplyDesignText(controls::Control& control, std::string_view caption) {
  if (auto* frame = dynamic_cast<controls::Frame*>(&control)) frame->SetCaption(caption);
  else if (auto* label = dynamic_cast<controls::Label*>(&control)) label->SetCaption(caption);
  else if (auto* option = dynamic_cast<controls::OptionButton*>(&control)) option->SetCaption(caption);
  else if (auto* button = dynamic_cast<controls::CommandButton*>(&control)) button->SetCaption(caption);
  else if (auto* box = dynamic_cast<controls::TextBox*>(&control)) box->SetText(caption);
  else if (auto* list = dynamic_cast<controls::ComboBox*>(&control)) list->SetText(caption);
}

// A caption-less frame that only groups option buttons draws no border.
void Borderless(controls::Frame& frame) {
  frame.Box()->setFlat(true);
  frame.Box()->setStyleSheet("QGroupBox { border: none; margin: 0px; padding: 0px; }");
}

// Output texts are blue while usable; disabled they grey out like every other label.
void Blue(controls::Label& label) {
  QPalette palette = label.QtLabel()->palette();
  palette.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 0, 255));
  palette.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 0, 255));
  label.QtLabel()->setPalette(palette);
}

// A frame's grid with the window's narrow margins and spacing.
QGridLayout* Grid(controls::Frame& frame) {
  auto* grid = new QGridLayout(frame.Widget());
  grid->setContentsMargins(6, 2, 6, 2);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  return grid;
}

// A leading label and its list or field on one row.
void Row(QGridLayout* grid, controls::Control& label, controls::Control& field, int width = 72) {
  const int row = grid->rowCount();
  grid->addWidget(label.Widget(), row, 0);
  field.Widget()->setFixedWidth(width);
  grid->addWidget(field.Widget(), row, 1);
}

void Whole(QGridLayout* grid, QWidget* widget) { grid->addWidget(widget, grid->rowCount(), 0, 1, 2); }

}  // namespace

// The abbreviations as strings, built once.
const std::array<std::string, 14>& MonthAbbrevTable() {
  static const std::array<std::string, 14> table = [] {
    std::array<std::string, 14> t;
    for (std::size_t m = 0; m < t.size(); ++m) t[m] = kMonthAbbrev[m];
    return t;
  }();
  return table;
}

// The controls in creation order, their design texts, the layout and the handlers, then start-up.
frmTUVO::frmTUVO(MainFields& fields, WindowHost* host, QWidget* parent)
    : QWidget(parent),
      fields_(fields),
      host_(host),
      Frame1("Frame1", this),
      Label14("Label14", Frame1.Widget()),
      cboSamnuk("cboSamnuk", Frame1.Widget()),
      Label15("Label15", Frame1.Widget()),
      cboKrongkan("cboKrongkan", Frame1.Widget()),
      Label16("Label16", Frame1.Widget()),
      cboFai("cboFai", Frame1.Widget()),
      Frame13("Frame13", this),
      cboProvince("cboProvince", Frame13.Widget()),
      Frame11("Frame11", this),
      cboCroptype("cboCroptype", Frame11.Widget()),
      Frame5("Frame5", this),
      Label5("Label5", Frame5.Widget()),
      cboTriamplangKla("cboTriamplangKla", Frame5.Widget()),
      Label22("Label22", Frame5.Widget()),
      cboLiengklatime("cboLiengklatime", Frame5.Widget()),
      Label18("Label18", Frame5.Widget()),
      cboATokla("cboATokla", Frame5.Widget()),
      Label11("Label11", Frame5.Widget()),
      cboTriamdinkla("cboTriamdinkla", Frame5.Widget()),
      Label12("Label12", Frame5.Widget()),
      cboLiengkla("cboLiengkla", Frame5.Widget()),
      Frame3("Frame3", this),
      Label19("Label19", Frame3.Widget()),
      cboTriamplangNaDam("cboTriamplangNaDam", Frame3.Widget()),
      Label20("Label20", Frame3.Widget()),
      cboNadam1("cboNadam1", Frame3.Widget()),
      Frame21("Frame21", this),
      Label25("Label25", Frame21.Widget()),
      cboTriamplangNaWan("cboTriamplangNaWan", Frame21.Widget()),
      Label21("Label21", Frame21.Widget()),
      cboStop("cboStop", Frame21.Widget()),
      Label33("Label33", Frame21.Widget()),
      cboNawan1("cboNawan1", Frame21.Widget()),
      Frame6("Frame6", this),
      Label7("Label7", Frame6.Widget()),
      cboSoiltype("cboSoiltype", Frame6.Widget()),
      Label10("Label10", Frame6.Widget()),
      cboDeeper("cboDeeper", Frame6.Widget()),
      Frame22("Frame22", this),
      cboEfficiency("cboEfficiency", Frame22.Widget()),
      Frame9("Frame9", this),
      Label28("Label28", Frame9.Widget()),
      cboGroup("cboGroup", Frame9.Widget()),
      Frame10("Frame10", this),
      cboFirstdate("cboFirstdate", Frame10.Widget()),
      cboFirstmonth("cboFirstmonth", Frame10.Widget()),
      cboFirstyear("cboFirstyear", Frame10.Widget()),
      Frame2("Frame2", this),
      Frame18("Frame18", Frame2.Widget()),
      Label6("Label6", Frame18.Widget()),
      txtGroup("txtGroup", Frame18.Widget()),
      txtArea2("txtArea2", Frame18.Widget()),
      cmdInputArea("cmdInputArea", Frame2.Widget()),
      cmdEdit1("cmdEdit1", Frame2.Widget()),
      Frame17("Frame17", this),
      Label4("Label4", Frame17.Widget()),
      lblweek("lblweek", Frame17.Widget()),
      Label34("Label34", Frame17.Widget()),
      lblFirst("lblFirst", Frame17.Widget()),
      Label36("Label36", Frame17.Widget()),
      lbllast("lbllast", Frame17.Widget()),
      Frame7("Frame7", this),
      Frame4("Frame4", Frame7.Widget()),
      optRe01("optRe01", Frame4.Widget()),
      Frame19("Frame19", Frame7.Widget()),
      optRe02("optRe02", Frame19.Widget()),
      Label3("Label3", Frame19.Widget()),
      Label13("Label13", Frame19.Widget()),
      Label2("Label2", Frame19.Widget()),
      Label17("Label17", Frame19.Widget()),
      Label9("Label9", Frame19.Widget()),
      lblMonth("lblMonth", Frame19.Widget()),
      txtRain("txtRain", Frame19.Widget()),
      cmdRe("cmdRe", Frame19.Widget()),
      cmdEdit2("cmdEdit2", Frame19.Widget()),
      Frame12("Frame12", this),
      Frame14("Frame14", Frame12.Widget()),
      optRe1("optRe1", Frame14.Widget()),
      Frame15("Frame15", Frame12.Widget()),
      optRe2("optRe2", Frame15.Widget()),
      Frame8("Frame8", Frame12.Widget()),
      optUSDA("optUSDA", Frame8.Widget()),
      Frame16("Frame16", Frame12.Widget()),
      Label1("Label1", Frame16.Widget()),
      optAcres1("optAcres1", Frame16.Widget()),
      optAcres2("optAcres2", Frame16.Widget()),
      optAcres3("optAcres3", Frame16.Widget()),
      cmdRun("cmdRun", this),
      cmdRun2("cmdRun2", this),
      cmdEND("cmdEND", this),
      cmdHelp("cmdHelp", this),
      lblAboutus("lblAboutus", this) {
  RegisterControls();
  ApplyDesign();
  FillOfficeList();
  BuildLayout();
  Wire();
  Form_Load();
}

// Every control in all_, in the order the constructor created them.
void frmTUVO::RegisterControls() {
  for (controls::Control* control : std::initializer_list<controls::Control*>{
           &Frame1,
           &Label14,
           &cboSamnuk,
           &Label15,
           &cboKrongkan,
           &Label16,
           &cboFai,
           &Frame13,
           &cboProvince,
           &Frame11,
           &cboCroptype,
           &Frame5,
           &Label5,
           &cboTriamplangKla,
           &Label22,
           &cboLiengklatime,
           &Label18,
           &cboATokla,
           &Label11,
           &cboTriamdinkla,
           &Label12,
           &cboLiengkla,
           &Frame3,
           &Label19,
           &cboTriamplangNaDam,
           &Label20,
           &cboNadam1,
           &Frame21,
           &Label25,
           &cboTriamplangNaWan,
           &Label21,
           &cboStop,
           &Label33,
           &cboNawan1,
           &Frame6,
           &Label7,
           &cboSoiltype,
           &Label10,
           &cboDeeper,
           &Frame22,
           &cboEfficiency,
           &Frame9,
           &Label28,
           &cboGroup,
           &Frame10,
           &cboFirstdate,
           &cboFirstmonth,
           &cboFirstyear,
           &Frame2,
           &Frame18,
           &Label6,
           &txtGroup,
           &txtArea2,
           &cmdInputArea,
           &cmdEdit1,
           &Frame17,
           &Label4,
           &lblweek,
           &Label34,
           &lblFirst,
           &Label36,
           &lbllast,
           &Frame7,
           &Frame4,
           &optRe01,
           &Frame19,
           &optRe02,
           &Label3,
           &Label13,
           &Label2,
           &Label17,
           &Label9,
           &lblMonth,
           &txtRain,
           &cmdRe,
           &cmdEdit2,
           &Frame12,
           &Frame14,
           &optRe1,
           &Frame15,
           &optRe2,
           &Frame8,
           &optUSDA,
           &Frame16,
           &Label1,
           &optAcres1,
           &optAcres2,
           &optAcres3,
           &cmdRun,
           &cmdRun2,
           &cmdEND,
           &cmdHelp,
           &lblAboutus}) {
    all_.push_back(control);
  }
}

// The window caption, the design texts and tooltips, the About footer and the design's choices.
void frmTUVO::ApplyDesign() {
  setWindowTitle(QString::fromUtf8(Caption));
  for (const DesignText& text : kDesignTexts) {
    controls::Control* control = FindControl(text.name);
    ApplyDesignText(*control, text.caption);
    control->SetToolTipText(text.tooltip);
  }
  lblAboutus.SetCaption(kAboutFooter);
  // The design selects one rainfall source and one method; nothing is wired yet, so nothing runs.
  optRe01.SetValue(true);
  optRe1.SetValue(true);
}

// The controls go with the window.
frmTUVO::~frmTUVO() = default;

// The control of that name, or null.
controls::Control* frmTUVO::FindControl(std::string_view name) const {
  for (controls::Control* control : all_) {
    if (control->Name() == name) return control;
  }
  return nullptr;
}

// Fonts, colours and the three columns of frames, the button row and the footer.
void frmTUVO::BuildLayout() {
  StyleControls();
  LayOutLeftColumn();
  LayOutMiddleColumn();
  LayOutRightColumn();
  ArrangeWindow();
}

// The window's and the command buttons' fonts, the blue output labels, the borderless option
// frames and the option captions' wrap width.
void frmTUVO::StyleControls() {
  QFont font("MS Sans Serif");
  font.setPointSizeF(9.75);
  setFont(font);
  QFont buttons("Angsana New");
  buttons.setPointSizeF(20.25);
  buttons.setBold(true);
  for (controls::CommandButton* b : {&cmdRun, &cmdRun2, &cmdEND, &cmdHelp}) b->Widget()->setFont(buttons);
  for (controls::Label* l : {&lblweek, &lblFirst, &lbllast, &Label13, &Label17, &lblMonth}) Blue(*l);
  for (controls::Frame* f : {&Frame4, &Frame19, &Frame14, &Frame15, &Frame8, &Frame16, &Frame18}) Borderless(*f);
  // The long option captions take several lines, so that the window fits a small screen.
  for (controls::OptionButton* o : {&optRe01, &optRe02, &optRe1, &optRe2, &optUSDA, &optAcres1, &optAcres2, &optAcres3}) {
    o->SetWrapWidth(kOptionTextWidth);
  }
}

// The left column's frames: location, station, crop, the three preparation frames.
void frmTUVO::LayOutLeftColumn() {
  QGridLayout* g = Grid(Frame1);
  for (auto [label, list] : {std::pair<controls::Label*, controls::ComboBox*>{&Label14, &cboSamnuk},
                             {&Label15, &cboKrongkan}, {&Label16, &cboFai}}) {
    Whole(g, label->Widget());
    list->Widget()->setMinimumWidth(330);
    Whole(g, list->Widget());
  }
  Whole(Grid(Frame13), cboProvince.Widget());
  Whole(Grid(Frame11), cboCroptype.Widget());
  g = Grid(Frame5);
  Row(g, Label5, cboTriamplangKla);
  Row(g, Label22, cboLiengklatime);
  Row(g, Label18, cboATokla);
  Row(g, Label11, cboTriamdinkla);
  Row(g, Label12, cboLiengkla);
  g = Grid(Frame3);
  Row(g, Label19, cboTriamplangNaDam);
  Row(g, Label20, cboNadam1);
  g = Grid(Frame21);
  Row(g, Label25, cboTriamplangNaWan);
  Row(g, Label21, cboStop);
  Row(g, Label33, cboNawan1);
}

// The middle column's frames: soil, efficiency, groups, start date, areas, summary.
void frmTUVO::LayOutMiddleColumn() {
  QGridLayout* g = Grid(Frame6);
  Row(g, Label7, cboSoiltype, 200);
  Row(g, Label10, cboDeeper);
  Whole(Grid(Frame22), cboEfficiency.Widget());
  Row(Grid(Frame9), Label28, cboGroup);
  g = Grid(Frame10);
  auto* dates = new QHBoxLayout();
  cboFirstdate.Widget()->setFixedWidth(60);
  cboFirstmonth.Widget()->setMinimumWidth(120);
  cboFirstyear.Widget()->setFixedWidth(80);
  dates->addWidget(cboFirstdate.Widget());
  dates->addWidget(cboFirstmonth.Widget(), 1);
  dates->addWidget(cboFirstyear.Widget());
  g->addLayout(dates, 0, 0, 1, 2);
  g = Grid(Frame18);
  g->setContentsMargins(0, 0, 0, 0);
  Row(g, Label6, txtGroup, 60);
  Whole(g, txtArea2.Widget());
  g = Grid(Frame2);
  Whole(g, Frame18.Widget());
  auto* areaButtons = new QHBoxLayout();
  areaButtons->addWidget(cmdInputArea.Widget());
  areaButtons->addWidget(cmdEdit1.Widget());
  g->addLayout(areaButtons, g->rowCount(), 0, 1, 2);
  g = Grid(Frame17);
  Row(g, Label4, lblweek, 90);
  Row(g, Label34, lblFirst, 90);
  Row(g, Label36, lbllast, 90);
}

// The right column's frames: rainfall source with the own-rainfall entry, the effective-rainfall
// methods.
void frmTUVO::LayOutRightColumn() {
  QGridLayout* g = Grid(Frame4);
  g->setContentsMargins(0, 0, 0, 0);
  Whole(g, optRe01.Widget());
  g = Grid(Frame19);
  g->setContentsMargins(0, 0, 0, 0);
  Whole(g, optRe02.Widget());
  auto* months = new QHBoxLayout();
  months->addWidget(Label3.Widget());
  months->addWidget(Label13.Widget());
  months->addWidget(Label2.Widget());
  months->addWidget(Label17.Widget());
  months->addStretch(1);
  g->addLayout(months, g->rowCount(), 0, 1, 2);
  auto* month = new QHBoxLayout();
  month->addWidget(Label9.Widget());
  month->addWidget(lblMonth.Widget());
  month->addSpacing(8);
  txtRain.Widget()->setFixedWidth(90);
  month->addWidget(txtRain.Widget());
  month->addStretch(1);
  g->addLayout(month, g->rowCount(), 0, 1, 2);
  auto* rainButtons = new QHBoxLayout();
  rainButtons->addWidget(cmdRe.Widget());
  rainButtons->addWidget(cmdEdit2.Widget());
  g->addLayout(rainButtons, g->rowCount(), 0, 1, 2);
  g = Grid(Frame7);
  Whole(g, Frame4.Widget());
  Whole(g, Frame19.Widget());

  for (auto [frame, option] : {std::pair<controls::Frame*, controls::OptionButton*>{&Frame14, &optRe1},
                               {&Frame15, &optRe2}, {&Frame8, &optUSDA}}) {
    QGridLayout* f = Grid(*frame);
    f->setContentsMargins(0, 0, 0, 0);
    Whole(f, option->Widget());
  }
  g = Grid(Frame16);
  g->setContentsMargins(0, 0, 0, 0);
  Whole(g, Label1.Widget());
  for (controls::OptionButton* o : {&optAcres1, &optAcres2, &optAcres3}) Whole(g, o->Widget());
  g = Grid(Frame12);
  for (controls::Frame* f : {&Frame14, &Frame15, &Frame8, &Frame16}) Whole(g, f->Widget());
}

// The three columns side by side; the button row sits under the middle and right columns, the
// footer below all.
void frmTUVO::ArrangeWindow() {
  auto* root = new QGridLayout(this);
  root->setContentsMargins(6, 6, 6, 0);
  root->setHorizontalSpacing(6);
  root->setVerticalSpacing(4);
  const auto column = [&](int index, int rows, std::initializer_list<controls::Frame*> frames) {
    auto* c = new QVBoxLayout();
    c->setSpacing(3);
    for (controls::Frame* f : frames) c->addWidget(f->Widget());
    c->addStretch(1);
    root->addLayout(c, 0, index, rows, 1);
  };
  column(0, 2, {&Frame1, &Frame13, &Frame11, &Frame5, &Frame3, &Frame21});
  column(1, 1, {&Frame6, &Frame22, &Frame9, &Frame10, &Frame2, &Frame17});
  column(2, 1, {&Frame7, &Frame12});
  root->setRowStretch(0, 1);

  // Compute and New computation share one place; only one of them is shown at a time.
  auto* buttonRow = new QHBoxLayout();
  buttonRow->addStretch(1);
  auto* runPlace = new QGridLayout();
  runPlace->addWidget(cmdRun.Widget(), 0, 0);
  runPlace->addWidget(cmdRun2.Widget(), 0, 0);
  buttonRow->addLayout(runPlace);
  buttonRow->addWidget(cmdEND.Widget());
  buttonRow->addWidget(cmdHelp.Widget());
  root->addLayout(buttonRow, 1, 1, 1, 2);

  QLabel* footer = lblAboutus.QtLabel();
  footer->setAutoFillBackground(true);
  QPalette palette = footer->palette();
  palette.setColor(QPalette::Window, QColor(0, 0, 128));
  palette.setColor(QPalette::WindowText, QColor(255, 255, 255));
  footer->setPalette(palette);
  footer->setAlignment(Qt::AlignCenter);
  footer->setContentsMargins(0, 3, 0, 3);
  footer->setCursor(Qt::PointingHandCursor);
  root->addWidget(footer, 2, 0, 1, 3);
}

// Each control's events to the handler of its name.
void frmTUVO::Wire() {
  // The lists with a Change handler take typed values; the others only offer picks.
  for (controls::ComboBox* list : {&cboTriamplangKla, &cboLiengklatime, &cboTriamplangNaWan, &cboATokla,
                                   &cboDeeper, &cboGroup}) {
    list->SetAcceptsTyping(true);
  }
  cboSamnuk.Click = [this] { cboSamnuk_Click(); };
  cboKrongkan.Click = [this] { cboKrongkan_Click(); };
  cboCroptype.Click = [this] { cboCroptype_Click(); };
  cboFirstdate.Click = [this] { cboFirstdate_Click(); };
  cboFirstmonth.Click = [this] { cboFirstmonth_Click(); };
  cboFirstyear.Click = [this] { cboFirstyear_Click(); };
  cboSoiltype.Click = [this] { cboSoiltype_Click(); };
  cboTriamplangNaDam.Click = [this] { cboTriamplangNaDam_Click(); };
  cboTriamplangKla.Change = [this] { cboTriamplangKla_Change(); };
  cboTriamplangKla.Click = [this] { cboTriamplangKla_Click(); };
  cboLiengklatime.Change = [this] { cboLiengklatime_Change(); };
  cboLiengklatime.Click = [this] { cboLiengklatime_Click(); };
  cboTriamplangNaWan.Change = [this] { cboTriamplangNaWan_Change(); };
  cboTriamplangNaWan.Click = [this] { cboTriamplangNaWan_Click(); };
  cboATokla.Change = [this] { cboATokla_Change(); };
  cboDeeper.Change = [this] { cboDeeper_Change(); };
  cboGroup.Change = [this] { cboGroup_Change(); };
  cboGroup.Click = [this] { cboGroup_Click(); };
  txtArea2.Change = [this] { txtArea2_Change(); };
  txtArea2.Click = [this] { txtArea2_Click(); };
  cmdInputArea.Click = [this] { cmdInputArea_Click(); };
  cmdEdit1.Click = [this] { cmdEdit1_Click(); };
  optRe01.Click = [this] { optRe01_Click(); };
  optRe02.Click = [this] { optRe02_Click(); };
  txtRain.Change = [this] { txtRain_Change(); };
  txtRain.Click = [this] { txtRain_Click(); };
  cmdRe.Click = [this] { cmdRe_Click(); };
  cmdEdit2.Click = [this] { cmdEdit2_Click(); };
  optRe1.Click = [this] { optRe1_Click(); };
  optRe2.Click = [this] { optRe2_Click(); };
  optAcres1.Click = [this] { optAcres1_Click(); };
  optAcres2.Click = [this] { optAcres2_Click(); };
  optAcres3.Click = [this] { optAcres3_Click(); };
  optUSDA.Click = [this] { optUSDA_Click(); };
  optRe1.GotFocus = [this] { optRe1_GotFocus(); };
  optRe2.GotFocus = [this] { optRe2_GotFocus(); };
  optAcres1.GotFocus = [this] { optAcres1_GotFocus(); };
  optAcres2.GotFocus = [this] { optAcres2_GotFocus(); };
  optAcres3.GotFocus = [this] { optAcres3_GotFocus(); };
  optUSDA.GotFocus = [this] { optUSDA_GotFocus(); };
  cmdRun2.Click = [this] { cmdRun2_Click(); };
  cmdRun.Click = [this] { cmdRun_Click(); };
  cmdHelp.Click = [this] { cmdHelp_Click(); };
  cmdEND.Click = [this] { cmdEND_Click(); };
  lblAboutus.Click = [this] { lblAboutus_Click(); };
}

// Start-up: everything whose step has not been reached is disabled; the fixed lists are filled.
void frmTUVO::Form_Load() {
  EnablePlantingFrames(false, false);
  EnableRainMonthEntry(false);
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &cmdRe, &cmdEdit2, &optRe01, &optRe02, &cboFirstdate, &cboFirstmonth, &cboFirstyear, &cmdRun,
           &cmdInputArea, &cmdEdit1}) {
    c->SetEnabled(false);
  }
  cmdRun2.SetVisible(false);

  FillFixedLists();
  fields_.MonthAbbrev = MonthAbbrevTable();
}

// The fixed items appended, list by list.
void frmTUVO::FillFixedLists() {
  for (const FixedList& fixed : kFixedLists) {
    controls::ComboBox& list = this->*fixed.list;
    if (fixed.step > 0) {
      for (int n = fixed.first; n <= fixed.last; n += fixed.step) list.AddItem(std::to_string(n));
      continue;
    }
    for (std::string_view item : fixed.items) {
      if (!item.empty()) list.AddItem(item);
    }
  }
  for (const SoilType& soil : kSoilTypes) cboSoiltype.AddItem(soil.text);
}

// The season's texts and option states as the run reads them.
SeasonTexts frmTUVO::Texts() const {
  SeasonTexts t;
  t.cboSamnuk = cboSamnuk.Text();
  t.cboKrongkan = cboKrongkan.Text();
  t.cboFai = cboFai.Text();
  t.cboProvince = cboProvince.Text();
  t.cboCroptype = cboCroptype.Text();
  t.cboGroup = cboGroup.Text();
  t.cboTriamplangKla = cboTriamplangKla.Text();
  t.cboLiengklatime = cboLiengklatime.Text();
  t.cboATokla = cboATokla.Text();
  t.cboTriamdinkla = cboTriamdinkla.Text();
  t.cboLiengkla = cboLiengkla.Text();
  t.cboTriamplangNaDam = cboTriamplangNaDam.Text();
  t.cboNadam1 = cboNadam1.Text();
  t.cboTriamplangNaWan = cboTriamplangNaWan.Text();
  t.cboStop = cboStop.Text();
  t.cboNawan1 = cboNawan1.Text();
  t.cboSoiltype = cboSoiltype.Text();
  t.cboDeeper = cboDeeper.Text();
  t.cboEfficiency = cboEfficiency.Text();
  t.cboFirstdate = cboFirstdate.Text();
  t.cboFirstmonth = cboFirstmonth.Text();
  t.cboFirstyear = cboFirstyear.Text();
  t.txtGroup = txtGroup.Text();
  t.optRe01 = optRe01.Value();
  t.optRe02 = optRe02.Value();
  t.optRe1 = optRe1.Value();
  t.optRe2 = optRe2.Value();
  t.optUSDA = optUSDA.Value();
  t.optAcres1 = optAcres1.Value();
  t.optAcres2 = optAcres2.Value();
  t.optAcres3 = optAcres3.Value();
  return t;
}

// Help: the help page in the desktop's browser; when it cannot start, or its opener fails later,
// a short note and nothing else.
void frmTUVO::cmdHelp_Click() {
  // The note does not hold the window; one that comes after the window closed is dropped.
  const auto showNote = [window = QPointer<frmTUVO>(this)](const std::string& message) {
    if (window.isNull()) return;
    auto* note = new QMessageBox(QMessageBox::Information, QString::fromUtf8(Caption),
                                 QString::fromStdString(message), QMessageBox::Ok, window.data());
    note->setAttribute(Qt::WA_DeleteOnClose);
    note->setObjectName("HelpNote");
    note->setModal(false);
    note->show();
  };
  const system::HelpPageResult result = system::StartHelpPage(showNote);
  if (!result.started) showNote(result.message);
}

// Exit: ends the program at once; a spreadsheet opened by a run stays open.
void frmTUVO::cmdEND_Click() {
  if (host_ != nullptr) host_->EndProgram();
  else QCoreApplication::quit();
}

// The footer swaps the main window for the About box.
void frmTUVO::lblAboutus_Click() {
  if (host_ != nullptr) host_->ShowAboutBox();
}

}  // namespace tuvo
