// The Thai texts of the failure kinds the platform layer reports.
#include "forms/save_failure_text.h"

#include <string_view>

#include "platform/save_failure.h"

namespace tuvo {

namespace {

using system::SaveFailureKind;

// The text of a kind, and whether the path follows it.
struct KindText {
  std::string_view text;
  bool withPath;
};

KindText TextOf(SaveFailureKind kind) {
  switch (kind) {
    case SaveFailureKind::FolderNotMade:
      return {"สร้างโฟลเดอร์เก็บผลการคำนวณไม่ได้", true};
    case SaveFailureKind::InTheWay:
      return {"มีไฟล์หรือโฟลเดอร์อื่นขวางอยู่", true};
    case SaveFailureKind::NotWritable:
      return {"ไม่มีสิทธิ์บันทึกไฟล์ในโฟลเดอร์", true};
    case SaveFailureKind::NoSpace:
      return {"พื้นที่ว่างในดิสก์ไม่พอ", true};
    case SaveFailureKind::OfficeMissing:
      return {"ไม่พบโปรแกรม LibreOffice ที่ใช้บันทึกไฟล์ .xls", false};
    case SaveFailureKind::OfficeNotAnswering:
      return {"โปรแกรม LibreOffice ไม่ตอบสนอง", false};
    case SaveFailureKind::OfficeFailing:
      return {"โปรแกรม LibreOffice บันทึกไฟล์ไม่สำเร็จ", false};
  }
  return {"", false};
}

}  // namespace

// The kind's text, then ": " and the path where it names one.
std::optional<std::string> SaveFailureText(const std::exception& error) {
  const system::SaveFailure* failure = system::SaveFailureOf(error);
  if (failure == nullptr) return std::nullopt;
  const KindText kind = TextOf(failure->Kind());
  if (kind.text.empty()) return std::nullopt;
  std::string text(kind.text);
  if (kind.withPath) text += ": " + failure->Path().string();
  return text;
}

}  // namespace tuvo
