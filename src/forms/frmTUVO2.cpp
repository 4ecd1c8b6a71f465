#include "forms/frmTUVO2.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>

#include <cmath>

namespace tuvo {

namespace {
// The bar counts in hundredths so that values such as 8.05 show as they are.
constexpr int kBarScale = 100;
// Client area of 8430 x 990 twips at 15 twips per pixel; a little taller for Thai line height.
constexpr int kWidth = 562;
constexpr int kHeight = 72;
}  // namespace

frmTUVO2::frmTUVO2(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      Label1(new QLabel(this)),
      ProgressBar1(new QProgressBar(this)),
      Picture1(new QLabel(this)) {
  setWindowTitle(QString::fromUtf8(Caption));
  // The run closes this window while the main window is hidden; that must not end the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  QFont font("MS Sans Serif");
  font.setPointSizeF(9.75);
  setFont(font);
  setFixedSize(kWidth, kHeight);
  Label1->setObjectName("Label1");
  Label1->setText(QString::fromUtf8(WaitText));
  Label1->setGeometry(8, 6, 440, 24);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100 * kBarScale);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setGeometry(8, 36, 414, 20);
  Picture1->setObjectName("Picture1");
  Picture1->setGeometry(428, 34, 126, 24);
  Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Picture1->setAutoFillBackground(true);
  Picture1->setFrameShape(QFrame::StyledPanel);
}

void frmTUVO2::Show() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kWidth / 2, kHeight / 2));
  }
  show();
  // The run keeps the thread from here on; let the window appear and paint once.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  repaint();
}

void frmTUVO2::SetBar(double value) {
  bar_ = value;
  ProgressBar1->setValue(static_cast<int>(std::lround(value * kBarScale)));
  ProgressBar1->repaint();
  steps_.push_back({bar_, ProgressText()});
}

void frmTUVO2::ShowProgress(int value) {
  bar_ = value;
  ProgressBar1->setValue(value * kBarScale);
  Picture1->setText(QString::number(value) + QStringLiteral(" % Completed"));
  ProgressBar1->repaint();
  Picture1->repaint();
  steps_.push_back({bar_, ProgressText()});
}

std::string frmTUVO2::ProgressText() const { return Picture1->text().toStdString(); }

}  // namespace tuvo
