// The LibreOffice program that converts a saved workbook to .xls and shows it (found on PATH
// unless a path), how long one one-shot conversion may take, and the program's office service
// (used while its program is this program). The .xls save and the windows read the same settings.
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace tuvo::office {

class OfficeService;

struct OfficeSettings {
  std::string program = "soffice";
  std::chrono::milliseconds timeout{60000};
  std::shared_ptr<OfficeService> service;

  // The service where its instances run this program; none otherwise (a test's stand-in).
  OfficeService* ServiceOfProgram() const;
};

}  // namespace tuvo::office
