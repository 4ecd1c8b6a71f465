#include "forms/frmTUVO3.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace tuvo {

frmTUVO3::frmTUVO3(WindowHost* host, QWidget* parent)
    : QWidget(parent),
      Label1("Label1", this),
      Label2("Label2", this),
      Label3("Label3", this),
      Label5("Label5", this),
      Label4("Label4", this),
      Label6("Label6", this),
      Label7("Label7", this),
      Label8("Label8", this),
      Label9("Label9", this),
      Command1("Command1", this),
      host_(host) {
  setWindowTitle(QString::fromUtf8(Caption));
  QFont font("MS Sans Serif");
  font.setPointSizeF(9.75);
  setFont(font);
  Label1.SetCaption("การพัฒนาโปรแกรม");
  Label2.SetCaption("TUVO");
  Label3.SetCaption("(TUVO 23.03.52)");
  Label5.SetCaption("โปรแกรมคำนวณความต้องการน้ำชลประทานรายสัปดาห์สำหรับการปลูกข้าว");
  Label4.SetCaption("โดย");
  Label6.SetCaption("คณะผู้พัฒนาโปรแกรม");
  Label7.SetCaption("ที่ปรึกษาและตรวจสอบ");
  Label8.SetCaption("คณะที่ปรึกษา");
  Label9.SetCaption("ติดต่อสอบถาม: ผู้ดูแลระบบของหน่วยงาน");
  Command1.SetCaption("ปิด");

  QFont title = font;
  title.setPointSizeF(24);
  title.setBold(true);
  Label2.Widget()->setFont(title);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 16);
  for (controls::Label* label : {&Label1, &Label2, &Label3, &Label5, &Label4, &Label6, &Label7, &Label8}) {
    label->QtLabel()->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label->Widget());
  }
  auto* line1 = new QFrame(this);
  line1->setObjectName("Line1");
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Sunken);
  layout->addWidget(line1);
  Label9.QtLabel()->setAlignment(Qt::AlignHCenter);
  layout->addWidget(Label9.Widget());
  layout->addWidget(Command1.Widget(), 0, Qt::AlignHCenter);
  Command1.Click = [this] { Command1_Click(); };
}

// Close: the main window comes back, freshly loaded.
void frmTUVO3::Command1_Click() {
  if (host_ != nullptr) host_->CloseAboutBox();
  else close();
}

}  // namespace tuvo
