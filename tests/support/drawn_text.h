// Text as Qt draws it on this machine, for tests that measure rows and columns fitted to it, and
// the Thai texts they measure.
#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QString>

#include <string>

namespace tuvo::test {

inline const std::string ThaiTitle = "สำนักชลประทานที่ 7,   โครงการชลประทานอุบลราชธานี";
inline const std::string ThaiHeading = "โปรแกรมคำนวณความต้องการน้ำชลประทานของข้าว";
inline const std::string WidestDate = "25 กุมภาพันธ์ 2552";  // the widest month name

// Points of a length Qt gives in pixels of the screen.
inline double Points(double pixels) { return pixels * 72 / QGuiApplication::primaryScreen()->logicalDotsPerInchY(); }

inline QFont Font(const std::string& family, double size) {
  QFont font(QString::fromStdString(family));
  font.setPointSizeF(size);
  return font;
}

}  // namespace tuvo::test
