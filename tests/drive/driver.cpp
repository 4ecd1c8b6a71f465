#include "drive/driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <initializer_list>

#include "forms/frmTUVO.h"
#include "forms/frmTUVO3.h"
#include "forms/tuvo_app.h"
#include "platform/controls.h"
#include "platform/system.h"

namespace tuvo::drive {

namespace fs = std::filesystem;

namespace {

// The text in double quotes, for messages.
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The button a user answering with Enter would press: the box's default button, else its first
// accepting button, else its first button.
QAbstractButton* DefaultAnswer(QMessageBox* box) {
  if (QAbstractButton* button = box->defaultButton()) return button;
  const QList<QAbstractButton*> buttons = box->buttons();
  for (QMessageBox::ButtonRole role : {QMessageBox::AcceptRole, QMessageBox::YesRole}) {
    for (QAbstractButton* button : buttons) {
      if (box->buttonRole(button) == role) return button;
    }
  }
  return buttons.isEmpty() ? nullptr : buttons.front();
}

// One key press and release with its text, as the keyboard delivers it to the field.
void SendKey(QLineEdit* edit, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(edit, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(edit, &release);
}

// A field a user can type into: its line edit and the adapter's character-by-character typing.
struct TypingTarget {
  QLineEdit* edit = nullptr;
  std::function<void(std::string_view)> type;
};

// The field of a text box or a list, when a user could type into it now; else why not.
TypingTarget TypingTargetOf(controls::Control& control, const char* action) {
  TypingTarget target;
  bool acceptsTyping = true;
  if (auto* box = dynamic_cast<controls::TextBox*>(&control)) {
    target.edit = box->Edit();
    target.type = [box](std::string_view text) { box->Type(text); };
  } else if (auto* list = dynamic_cast<controls::ComboBox*>(&control)) {
    target.edit = list->Box()->lineEdit();
    target.type = [list](std::string_view text) { list->Type(text); };
    acceptsTyping = list->AcceptsTyping();
  } else {
    throw controls::UserActionRefused(control.Name() + ": cannot " + action +
                                      ", it is neither a text box nor a list");
  }
  const std::string name = control.Name();
  if (!control.Widget()->isVisible()) {
    throw controls::UserActionRefused(name + ": cannot " + action + ", it is not on screen");
  }
  if (!control.Widget()->isEnabled()) {
    throw controls::UserActionRefused(name + ": cannot " + action + ", it is disabled");
  }
  if (!acceptsTyping) {
    throw controls::UserActionRefused(name + ": cannot " + action + ", the list only offers picks");
  }
  return target;
}

// Selects the whole field and replaces it by `text` in one edit (Delete when `text` is empty);
// an empty field with nothing to write is left alone.
void ReplaceAll(QLineEdit* edit, const std::string& text) {
  if (edit->text().isEmpty() && text.empty()) return;
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  if (text.empty()) SendKey(edit, Qt::Key_Delete, QString());
  else SendKey(edit, Qt::Key_unknown, QString::fromStdString(text));
}

// The characters (code points) of a UTF-8 text, each as its own UTF-8 text.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

// A flag as the scenario writes it.
std::string Bool(bool value) { return value ? "true" : "false"; }

// The property of the control as `expect` compares it; none when the control has no such property.
std::optional<std::string> PropertyOf(const controls::Control& control, Property property) {
  const auto* list = dynamic_cast<const controls::ComboBox*>(&control);
  const auto* box = dynamic_cast<const controls::TextBox*>(&control);
  const auto* label = dynamic_cast<const controls::Label*>(&control);
  const auto* button = dynamic_cast<const controls::CommandButton*>(&control);
  const auto* option = dynamic_cast<const controls::OptionButton*>(&control);
  const auto* frame = dynamic_cast<const controls::Frame*>(&control);
  const auto none = [] { return std::optional<std::string>(); };
  switch (property) {
    case Property::Text:
      if (list) return list->Text();
      if (box) return box->Text();
      if (label) return label->Caption();
      if (button) return button->Caption();
      if (option) return option->Caption();
      if (frame) return frame->Caption();
      return none();
    case Property::Enabled:
      return Bool(control.Enabled());
    case Property::Visible:
      return Bool(control.Visible());
    case Property::Checked:
      if (option) return Bool(option->Value());
      return none();
    case Property::Items: {
      if (!list) return none();
      std::string items;
      for (int i = 0; i < list->ListCount(); ++i) {
        if (i > 0) items += '|';
        items += list->Item(i);
      }
      return items;
    }
    case Property::Count:
      if (list) return std::to_string(list->ListCount());
      return none();
  }
  return none();
}

}  // namespace

// Watches every widget of the application for a message box being shown: prints its text and
// answers it once the program's own code has returned to an event loop.
class MessageCatcher : public QObject {
 public:
  explicit MessageCatcher(std::ostream& out) : out_(out) {}

  // Sees every event of the application; a message box being shown is answered.
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* box = qobject_cast<QMessageBox*>(object)) Answer(box);
    }
    return QObject::eventFilter(object, event);
  }

 private:
  // Prints the box and queues the click of its default button.
  void Answer(QMessageBox* box) {
    out_ << "message: " << box->text().toStdString() << '\n' << std::flush;
    // A modal box is still entering its own event loop here; the answer must wait for it.
    QPointer<QMessageBox> guard(box);
    QMetaObject::invokeMethod(
        box,
        [guard] {
          if (guard.isNull() || !guard->isVisible()) return;
          if (QAbstractButton* button = DefaultAnswer(guard.data())) button->click();
          else guard->close();
        },
        Qt::QueuedConnection);
  }

  std::ostream& out_;
};

// The program as it starts, with the End command kept inside the driver and the boxes watched.
Driver::Driver(std::ostream& out) : out_(out), app_(std::make_unique<TuvoApp>()) {
  app_->End = [this] { ended_ = true; };
  catcher_ = std::make_unique<MessageCatcher>(out_);
  QCoreApplication::instance()->installEventFilter(catcher_.get());
  app_->Start();
  Settle();
}

// The windows go before the watch on message boxes ends.
Driver::~Driver() {
  app_.reset();
  Settle();
  QCoreApplication::instance()->removeEventFilter(catcher_.get());
}

// The main window's control of that name, else the About box's, of whichever is shown.
controls::Control* Driver::Find(const std::string& name) const {
  if (frmTUVO* main = app_->Main(); main != nullptr && main->isVisible()) {
    if (controls::Control* control = main->FindControl(name)) return control;
  }
  if (frmTUVO3* about = app_->About(); about != nullptr && about->isVisible()) {
    for (controls::Control* control : std::initializer_list<controls::Control*>{
             &about->Label1, &about->Label2, &about->Label3, &about->Label4, &about->Label5, &about->Label6,
             &about->Label7, &about->Label8, &about->Label9, &about->Command1}) {
      if (control->Name() == name) return control;
    }
  }
  return nullptr;
}

// Runs what the program posted, then activates the window shown.
void Driver::Settle() {
  // A few rounds: an answered box may post more work (its own deletion, a window swap).
  for (int round = 0; round < 5; ++round) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // The shown window is the active one, as it is for a person working in it (focus follows it).
  if (!app_) return;
  QWidget* shown = nullptr;
  if (frmTUVO* main = app_->Main(); main != nullptr && main->isVisible()) shown = main;
  else if (frmTUVO3* about = app_->About(); about != nullptr && about->isVisible()) shown = about;
  if (shown != nullptr && !shown->isActiveWindow()) {
    shown->activateWindow();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

// Identity, time and size of every visible file of the output folder.
Driver::FolderMarks Driver::MarkOutputFolder() const {
  FolderMarks marks;
  const fs::path folder = system::OutputFolder();
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with('.')) continue;  // temporary names of a save under way, lock files
    struct stat info {};
    if (stat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    marks[name] = FileMark{static_cast<unsigned long long>(info.st_ino),
                           static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
                           static_cast<long long>(info.st_size)};
  }
  return marks;
}

// Prints the files that are new or changed since `before`, oldest first.
void Driver::ReportSaves(const FolderMarks& before) {
  const FolderMarks after = MarkOutputFolder();
  std::vector<std::pair<long long, std::string>> saved;
  for (const auto& [name, mark] : after) {
    const auto old = before.find(name);
    if (old == before.end() || !(old->second == mark)) saved.emplace_back(mark.modified, name);
  }
  std::sort(saved.begin(), saved.end());
  for (const auto& [modified, name] : saved) {
    out_ << "saved: " << (system::OutputFolder() / name).string() << '\n';
  }
  out_ << std::flush;
}

// One step, its failure caught as its report, then the program settles and saves are printed.
std::optional<std::string> Driver::Run(const Step& step) {
  if (ended_) return "the program has ended";
  const FolderMarks before = MarkOutputFolder();
  std::optional<std::string> failure;
  try {
    failure = Act(step);
  } catch (const controls::UserActionRefused& refused) {
    failure = refused.what();
  } catch (const std::exception& error) {
    failure = "the program failed: " + std::string(error.what());
  } catch (...) {
    failure = "the program failed with an unknown error";
  }
  Settle();
  ReportSaves(before);
  return failure;
}

// The user action or check of the step; a refusal throws UserActionRefused.
std::optional<std::string> Driver::Act(const Step& step) {
  controls::Control* control = Find(step.control);
  if (control == nullptr) return "no control named " + Quoted(step.control) + " in the window shown";

  switch (step.verb) {
    case Verb::Pick: {
      auto* list = dynamic_cast<controls::ComboBox*>(control);
      if (list == nullptr) return step.control + ": cannot pick an item, it is not a list";
      list->Pick(std::string_view(step.text));
      return std::nullopt;
    }
    case Verb::Type: {
      TypingTarget target = TypingTargetOf(*control, "type");
      ReplaceAll(target.edit, "");
      // Each character goes through the adapter, so a field that a handler disabled or hid
      // meanwhile refuses the rest as it would refuse a person.
      for (const std::string& character : Characters(step.text)) target.type(character);
      return std::nullopt;
    }
    case Verb::Paste: {
      TypingTarget target = TypingTargetOf(*control, "paste");
      ReplaceAll(target.edit, step.text);
      return std::nullopt;
    }
    case Verb::Click:
      if (auto* button = dynamic_cast<controls::CommandButton*>(control)) button->Press();
      else if (auto* option = dynamic_cast<controls::OptionButton*>(control)) option->UserClick();
      else if (auto* label = dynamic_cast<controls::Label*>(control)) label->UserClick();
      else if (auto* box = dynamic_cast<controls::TextBox*>(control)) box->ClickIn();
      else return step.control + ": cannot click, it is not a button, option button, label or text box";
      return std::nullopt;
    case Verb::Expect: {
      const std::string property(PropertyWord(step.property));
      const std::optional<std::string> actual = PropertyOf(*control, step.property);
      if (!actual) return step.control + " has no property " + property;
      if (*actual == step.text) return std::nullopt;
      return step.control + " " + property + " is " + Quoted(*actual) + ", expected " + Quoted(step.text);
    }
  }
  return std::nullopt;
}

// The steps in order up to the first failure.
int Driver::RunAll(const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    if (const auto failure = Run(step)) {
      out_ << "line " << step.line << ": " << *failure << '\n' << std::flush;
      return 1;
    }
  }
  return 0;
}

// Reads, then plays; a malformed line plays nothing.
int RunScenarioFile(const std::string& path, std::ostream& out) {
  const Scenario scenario = ReadScenarioFile(path);
  if (scenario.error) {
    if (scenario.error->line == 0) {
      out << scenario.error->what << '\n' << std::flush;
      return 2;
    }
    out << "line " << scenario.error->line << ": " << scenario.error->what << '\n' << std::flush;
    return 1;
  }
  Driver driver(out);
  return driver.RunAll(scenario.steps);
}

}  // namespace tuvo::drive
