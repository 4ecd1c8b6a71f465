// The application around the windows: it owns the main form's fields and swaps the main window
// and the About box.
#pragma once

#include <QPointer>

#include <functional>
#include <memory>

#include "forms/frmTUVO.h"
#include "forms/frmTUVO3.h"
#include "forms/main_fields.h"
#include "forms/window_host.h"

namespace tuvo {

namespace office {
class OfficeService;
}

class TuvoApp : public WindowHost {
 public:
  TuvoApp();
  ~TuvoApp() override;
  TuvoApp(const TuvoApp&) = delete;
  TuvoApp& operator=(const TuvoApp&) = delete;

  // Opens the main window.
  void Start();
  // Starts the program's warm LibreOffice instances in the background; the program calls it at
  // its start, tests that want them opt in.
  void StartOfficeService();
  // The program's office service, null until started.
  const std::shared_ptr<office::OfficeService>& Office() const { return office_; }

  MainFields& Fields() { return fields_; }
  // The open main window and About box, null while closed.
  frmTUVO* Main() const { return main_.data(); }
  frmTUVO3* About() const { return about_.data(); }

  void ShowAboutBox() override;
  void CloseAboutBox() override;
  void EndProgram() override;

  // What ending the program does; quits the Qt application unless replaced (tests replace it).
  std::function<void()> End;

 private:
  void ShowMain();

  MainFields fields_;
  std::shared_ptr<office::OfficeService> office_;
  QPointer<frmTUVO> main_;
  QPointer<frmTUVO3> about_;
};

}  // namespace tuvo
