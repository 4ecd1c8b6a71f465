#include "platform/controls.h"

#include "platform/system.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QTextLayout>
#include <QStringList>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <atomic>

namespace tuvo::controls {

namespace {

std::atomic<int> beeps{0};

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString& text) { return text.toStdString(); }

// A button shows "&" as a shortcut mark; captions here are plain text.
QString Plain(std::string_view caption) { return Q(caption).replace(QLatin1Char('&'), QStringLiteral("&&")); }

// Breaks the text into lines no wider than `width`, where the script allows a break (Thai runs
// without blanks break between words).
QString Wrap(const QString& text, const QFont& font, int width) {
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines << text.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  return lines.join(QLatin1Char('\n'));
}

// One key press with its text, delivered to the field as the keyboard would deliver it.
void SendKey(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &release);
}

// Typing goes on at the end of what the field holds.
void TypeInto(QLineEdit* edit, std::string_view text) {
  edit->end(false);
  for (const char32_t cp : Q(text).toUcs4()) {
    SendKey(edit, Qt::Key_unknown, QString::fromUcs4(&cp, 1));
  }
}

void PasteInto(QLineEdit* edit, std::string_view text) {
  edit->end(false);
  if (!text.empty()) SendKey(edit, Qt::Key_unknown, Q(text));
}

void BackspaceIn(QLineEdit* edit, int count) {
  edit->end(false);
  for (int i = 0; i < count; ++i) SendKey(edit, Qt::Key_Backspace, QString());
}

}  // namespace

void Beep() {
  ++beeps;
  system::Beep();
}

int BeepCount() { return beeps.load(); }

// Forwards the events of the control's widgets to the adapter; owns its signal connections.
class Control::Watcher : public QObject {
 public:
  explicit Watcher(Control* owner) : owner_(owner) {}
  bool eventFilter(QObject* object, QEvent* event) override {
    return owner_->Filter(object, event) || QObject::eventFilter(object, event);
  }

 private:
  Control* owner_;
};

Control::Control(std::string name, QWidget* widget)
    : name_(std::move(name)), widget_(widget), watcher_(std::make_unique<Watcher>(this)) {
  widget_->setObjectName(QString::fromStdString(name_));
  Watch(widget_);
}

Control::~Control() = default;

QObject* Control::Context() const { return watcher_.get(); }

void Control::Watch(QObject* object) { object->installEventFilter(watcher_.get()); }

bool Control::Filter(QObject* object, QEvent* event) {
  if (object == widget_ && event->type() == QEvent::FocusIn) Raise(GotFocus);
  return false;
}

bool Control::Enabled() const { return !widget_->testAttribute(Qt::WA_ForceDisabled); }

void Control::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }

bool Control::Visible() const { return !widget_->isHidden(); }

void Control::SetVisible(bool visible) { widget_->setVisible(visible); }

void Control::SetToolTipText(std::string_view text) { widget_->setToolTip(Q(text)); }

bool Control::CanTakeFocus() const {
  return widget_->focusPolicy() != Qt::NoFocus && widget_->isEnabled() && widget_->isVisible();
}

bool Control::SetFocus() {
  if (!CanTakeFocus()) return false;
  widget_->setFocus(Qt::OtherFocusReason);
  return true;
}

bool Control::HasFocus() const { return widget_->hasFocus(); }

void Control::RequireUsable(std::string_view action) const {
  if (!widget_->isVisible()) {
    throw UserActionRefused(name_ + ": cannot " + std::string(action) + ", it is not on screen");
  }
  if (!widget_->isEnabled()) {
    throw UserActionRefused(name_ + ": cannot " + std::string(action) + ", it is disabled");
  }
}

void Control::Raise(const Handler& handler) {
  if (!handler) return;
  // A handler may replace the control's handlers while it runs; run the one that was raised.
  const Handler run = handler;
  run();
}

// ---- Frame

Frame::Frame(std::string name, QWidget* parent)
    : Control(std::move(name), new QGroupBox(parent)) {
  box_ = static_cast<QGroupBox*>(Widget());
}

std::string Frame::Caption() const { return S(box_->title()); }

void Frame::SetCaption(std::string_view caption) { box_->setTitle(Q(caption)); }

// ---- Label

Label::Label(std::string name, QWidget* parent) : Control(std::move(name), new QLabel(parent)) {
  label_ = static_cast<QLabel*>(Widget());
  label_->setTextFormat(Qt::PlainText);
}

std::string Label::Caption() const { return S(label_->text()); }

void Label::SetCaption(std::string_view caption) { label_->setText(Q(caption)); }

void Label::UserClick() {
  RequireUsable("click");
  Raise(Click);
}

bool Label::Filter(QObject* object, QEvent* event) {
  if (object == label_ && label_->isEnabled()) {
    // The label takes the press so that the release (the click) comes back to it.
    if (event->type() == QEvent::MouseButtonPress) return true;
    if (event->type() == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && label_->rect().contains(mouse->position().toPoint())) {
        Raise(Click);
      }
      return true;
    }
  }
  return Control::Filter(object, event);
}

// ---- ComboBox

ComboBox::ComboBox(std::string name, QWidget* parent)
    : Control(std::move(name), new QComboBox(parent)) {
  box_ = static_cast<QComboBox*>(Widget());
  // Always a text field, so that code can write any text; typing is allowed per list.
  box_->setEditable(true);
  box_->setInsertPolicy(QComboBox::NoInsert);
  box_->setCompleter(nullptr);
  edit_ = box_->lineEdit();
  edit_->setReadOnly(true);
  Watch(edit_);
  // Qt's editable list also reports a "pick" when its field loses the focus or gets Return while
  // its text equals an item; here only a choice from the drop-down is a pick.
  QObject::disconnect(edit_, &QLineEdit::editingFinished, box_, nullptr);
  QObject::disconnect(edit_, &QLineEdit::returnPressed, box_, nullptr);
  QObject::connect(box_, &QComboBox::activated, Context(), [this](int) { Raise(Click); });
  QObject::connect(edit_, &QLineEdit::textEdited, Context(), [this](const QString&) { Raise(Change); });
}

std::string ComboBox::Text() const { return S(edit_->text()); }

void ComboBox::SetText(std::string_view text) {
  const QString value = Q(text);
  if (edit_->text() == value) return;
  edit_->setText(value);
  Raise(Change);
}

void ComboBox::AddItem(std::string_view item) {
  const int before = box_->currentIndex();
  const QString text = edit_->text();
  box_->addItem(Q(item));
  // Qt chooses the first item of an empty list by itself; a list here chooses nothing.
  if (before == -1 && box_->currentIndex() != -1) box_->setCurrentIndex(-1);
  if (edit_->text() != text) edit_->setText(text);
}

void ComboBox::Clear() {
  box_->clear();
  edit_->clear();
}

int ComboBox::ListCount() const { return box_->count(); }

std::string ComboBox::Item(int index) const {
  if (index < 0 || index >= box_->count()) {
    throw std::out_of_range(Name() + ": no item " + std::to_string(index));
  }
  return S(box_->itemText(index));
}

int ComboBox::ListIndex() const {
  return box_->findText(edit_->text(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

bool ComboBox::AcceptsTyping() const { return !edit_->isReadOnly(); }

void ComboBox::SetAcceptsTyping(bool accepts) { edit_->setReadOnly(!accepts); }

void ComboBox::Pick(int index) {
  RequireUsable("pick an item");
  if (index < 0 || index >= box_->count()) {
    throw UserActionRefused(Name() + ": cannot pick item " + std::to_string(index) + " of " +
                            std::to_string(box_->count()));
  }
  SetFocus();
  // As the drop-down does: the item becomes the text, then the list reports the pick.
  box_->setCurrentIndex(index);
  edit_->setText(box_->itemText(index));
  edit_->selectAll();
  emit box_->activated(index);
}

void ComboBox::Pick(std::string_view item) {
  const int index = box_->findText(Q(item), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) {
    RequireUsable("pick an item");
    throw UserActionRefused(Name() + ": has no item \"" + std::string(item) + "\"");
  }
  Pick(index);
}

void ComboBox::RequireTyping(std::string_view action) const {
  RequireUsable(action);
  if (edit_->isReadOnly()) {
    throw UserActionRefused(Name() + ": cannot " + std::string(action) + ", the list only offers picks");
  }
}

void ComboBox::Type(std::string_view text) {
  RequireTyping("type");
  SetFocus();
  TypeInto(edit_, text);
}

void ComboBox::Paste(std::string_view text) {
  RequireTyping("paste");
  SetFocus();
  PasteInto(edit_, text);
}

void ComboBox::Backspace(int count) {
  RequireTyping("delete");
  SetFocus();
  BackspaceIn(edit_, count);
}

bool ComboBox::Filter(QObject* object, QEvent* event) {
  // A wheel passing over a list never changes its text (a pick is a deliberate click).
  if (object == box_ && event->type() == QEvent::Wheel) {
    event->ignore();
    return true;
  }
  if (object == edit_) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // Enter would choose a matching item by itself; a list reacts to typing only.
      if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    }
    // A list that only offers picks opens its drop-down wherever it is clicked.
    if (event->type() == QEvent::MouseButtonPress && edit_->isReadOnly() && box_->isEnabled()) {
      box_->showPopup();
      return true;
    }
  }
  return Control::Filter(object, event);
}

// ---- TextBox

TextBox::TextBox(std::string name, QWidget* parent)
    : Control(std::move(name), new QLineEdit(parent)) {
  edit_ = static_cast<QLineEdit*>(Widget());
  QObject::connect(edit_, &QLineEdit::textEdited, Context(), [this](const QString&) { Raise(Change); });
}

std::string TextBox::Text() const { return S(edit_->text()); }

void TextBox::SetText(std::string_view text) {
  const QString value = Q(text);
  if (edit_->text() == value) return;
  edit_->setText(value);
  Raise(Change);
}

void TextBox::ClickIn() {
  RequireUsable("click into it");
  SetFocus();
  Raise(Click);
}

void TextBox::Type(std::string_view text) {
  RequireUsable("type");
  SetFocus();
  TypeInto(edit_, text);
}

void TextBox::Paste(std::string_view text) {
  RequireUsable("paste");
  SetFocus();
  PasteInto(edit_, text);
}

void TextBox::Backspace(int count) {
  RequireUsable("delete");
  SetFocus();
  BackspaceIn(edit_, count);
}

bool TextBox::Filter(QObject* object, QEvent* event) {
  if (object == edit_ && event->type() == QEvent::MouseButtonRelease && edit_->isEnabled()) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) Raise(Click);
  }
  return Control::Filter(object, event);
}

// ---- OptionButton

OptionButton::OptionButton(std::string name, QWidget* parent)
    : Control(std::move(name), new QRadioButton(parent)) {
  button_ = static_cast<QRadioButton*>(Widget());
  // Exclusion is ours: among the option buttons of the same frame only.
  button_->setAutoExclusive(false);
  QObject::connect(button_, &QAbstractButton::clicked, Context(), [this](bool checked) {
    if (!checked) {
      // A click on the selected button leaves it selected.
      const QSignalBlocker block(button_);
      button_->setChecked(true);
      return;
    }
    Select(true);
  });
}

void OptionButton::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  ShowCaption();
}

void OptionButton::SetWrapWidth(int pixels) {
  wrapWidth_ = pixels;
  ShowCaption();
}

void OptionButton::ShowCaption() {
  QString shown = Q(caption_);
  if (wrapWidth_ > 0) shown = Wrap(shown, button_->font(), wrapWidth_);
  button_->setText(shown.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

bool OptionButton::Value() const { return button_->isChecked(); }

void OptionButton::SetValue(bool value) {
  if (value) {
    Select(true);
  } else {
    const QSignalBlocker block(button_);
    button_->setChecked(false);
  }
}

void OptionButton::Select(bool raise) {
  if (QWidget* frame = button_->parentWidget()) {
    for (QRadioButton* other : frame->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
      if (other == button_) continue;
      const QSignalBlocker block(other);
      other->setChecked(false);
    }
  }
  {
    const QSignalBlocker block(button_);
    button_->setChecked(true);
  }
  if (raise) Raise(Click);
}

void OptionButton::UserClick() {
  RequireUsable("click");
  SetFocus();
  button_->click();
}

// ---- CommandButton

CommandButton::CommandButton(std::string name, QWidget* parent)
    : Control(std::move(name), new QPushButton(parent)) {
  button_ = static_cast<QPushButton*>(Widget());
  button_->setAutoDefault(false);
  QObject::connect(button_, &QAbstractButton::clicked, Context(), [this](bool) { Raise(Click); });
}

void CommandButton::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  button_->setText(Plain(caption));
}

void CommandButton::Press() {
  RequireUsable("press");
  SetFocus();
  button_->click();
}

}  // namespace tuvo::controls
