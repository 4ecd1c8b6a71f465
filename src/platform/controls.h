// Window controls with the event rules the program's windows rely on, as adapters over Qt widgets.
//
// - A handler (Change, Click, GotFocus) runs synchronously, before the operation that raised it
//   returns; a handler may raise another handler (nesting).
// - A list (ComboBox) with a text field: a write of its text from code, or typing, raises Change;
//   a pick from the drop-down raises Click and not Change; items are appended in order, never
//   sorted; Clear empties items and text without raising Change. Whether the user may type into
//   a list is set per list; code may write any text into any list.
// - Change is raised when the text actually changes (writing the text it already holds raises
//   nothing).
// - Option buttons exclude each other only among the option buttons of their own frame (the
//   same parent widget). Selecting one from code raises its Click, also when it was selected.
// - Code can move the focus only to a control that can take it (enabled and shown in a visible
//   window); otherwise the move is skipped.
//
// The "user" operations (Pick, Type, Paste, Backspace, Press, ClickIn) act as a person at the
// keyboard and mouse would, through the widget; they throw UserActionRefused when a person could
// not do it (control disabled, not on screen, or not accepting typing).
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

class QWidget;
class QComboBox;
class QLineEdit;
class QLabel;
class QGroupBox;
class QRadioButton;
class QPushButton;
class QObject;
class QEvent;

namespace tuvo::controls {

using Handler = std::function<void()>;

// A user action that a person could not carry out on the control in its present state.
class UserActionRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The desktop's beep.
void Beep();
// How many beeps sounded since the program started (for tests and the scenario driver).
int BeepCount();

// What every control has: a name, enabled and visible flags, a tooltip, the focus.
class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  QWidget* Widget() const { return widget_; }

  // The control's own flag; a disabled frame makes its children unusable without changing theirs.
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // The control's own flag; a control inside a hidden frame keeps Visible() true.
  bool Visible() const;
  void SetVisible(bool visible);

  void SetToolTipText(std::string_view text);

  // Enabled and shown, along with all its containers, in a visible window.
  bool CanTakeFocus() const;
  // Moves the focus here when the control can take it; returns whether it moved.
  bool SetFocus();
  bool HasFocus() const;

  // Raised when the control receives the focus.
  Handler GotFocus;

 protected:
  Control(std::string name, QWidget* widget);
  // Throws UserActionRefused unless a person could act on the control now.
  void RequireUsable(std::string_view action) const;
  static void Raise(const Handler& handler);
  // The object that owns this adapter's signal connections (they end with the adapter).
  QObject* Context() const;
  // Routes the events of `object` (a part of the control) to Filter as well.
  void Watch(QObject* object);
  // Sees the events of the watched objects; true eats the event.
  virtual bool Filter(QObject* object, QEvent* event);

 private:
  class Watcher;
  friend class Watcher;

  std::string name_;
  QWidget* widget_;
  std::unique_ptr<Watcher> watcher_;
};

// A group box with a caption; it groups option buttons and enables or disables its contents.
class Frame : public Control {
 public:
  Frame(std::string name, QWidget* parent);
  std::string Caption() const;
  void SetCaption(std::string_view caption);
  QGroupBox* Box() const { return box_; }

 private:
  QGroupBox* box_;
};

// A text label; it can be clicked.
class Label : public Control {
 public:
  Label(std::string name, QWidget* parent);
  std::string Caption() const;
  void SetCaption(std::string_view caption);
  QLabel* QtLabel() const { return label_; }

  Handler Click;
  // User: clicks the label.
  void UserClick();

 private:
  bool Filter(QObject* object, QEvent* event) override;
  QLabel* label_;
};

// A drop-down list with a text field.
class ComboBox : public Control {
 public:
  ComboBox(std::string name, QWidget* parent);

  std::string Text() const;
  // Writes the text (any text, also one that is not an item); raises Change when it changes.
  void SetText(std::string_view text);
  // Appends an item at the end; the text stays as it is.
  void AddItem(std::string_view item);
  // Removes every item and empties the text, raising nothing.
  void Clear();
  int ListCount() const;
  // Item i, 0 to ListCount() - 1.
  std::string Item(int index) const;
  // Index of the first item equal to the text, or -1.
  int ListIndex() const;

  bool AcceptsTyping() const;
  void SetAcceptsTyping(bool accepts);

  Handler Change;
  Handler Click;

  // User: picks item `index` from the drop-down (the text becomes the item; raises Click).
  void Pick(int index);
  // User: picks the item whose text is `item`.
  void Pick(std::string_view item);
  // User: types the text at the end of the field, one character at a time (Change per character).
  void Type(std::string_view text);
  // User: pastes the text at the end of the field in one edit (one Change).
  void Paste(std::string_view text);
  // User: deletes `count` characters from the end of the field, one at a time.
  void Backspace(int count = 1);

  QComboBox* Box() const { return box_; }

 private:
  void RequireTyping(std::string_view action) const;
  bool Filter(QObject* object, QEvent* event) override;
  QComboBox* box_;
  QLineEdit* edit_;
};

// A one-line text box.
class TextBox : public Control {
 public:
  TextBox(std::string name, QWidget* parent);

  std::string Text() const;
  // Writes the text; raises Change when it changes.
  void SetText(std::string_view text);

  Handler Change;
  Handler Click;

  // User: clicks into the box (focus, then Click).
  void ClickIn();
  // User: types the text at the end, one character at a time (Change per character).
  void Type(std::string_view text);
  // User: pastes the text at the end in one edit (one Change).
  void Paste(std::string_view text);
  // User: deletes `count` characters from the end, one at a time.
  void Backspace(int count = 1);

  QLineEdit* Edit() const { return edit_; }

 private:
  bool Filter(QObject* object, QEvent* event) override;
  QLineEdit* edit_;
};

// An option button; excludes the other option buttons of its frame.
class OptionButton : public Control {
 public:
  OptionButton(std::string name, QWidget* parent);

  std::string Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  // Shows the caption on lines no wider than `pixels`, broken between words (0: one line).
  void SetWrapWidth(int pixels);

  bool Value() const;
  // true selects it (the others of its frame are unselected) and raises Click, also when it was
  // selected already; false unselects it and raises nothing.
  void SetValue(bool value);

  Handler Click;

  // User: clicks the button (it takes the focus, then becomes selected; Click when it was not).
  void UserClick();

  QRadioButton* Button() const { return button_; }

 private:
  void Select(bool raise);
  void ShowCaption();
  QRadioButton* button_;
  std::string caption_;
  int wrapWidth_ = 0;
};

// A push button.
class CommandButton : public Control {
 public:
  CommandButton(std::string name, QWidget* parent);

  std::string Caption() const { return caption_; }
  void SetCaption(std::string_view caption);

  Handler Click;

  // User: clicks the button (it takes the focus, then Click).
  void Press();

  QPushButton* Button() const { return button_; }

 private:
  QPushButton* button_;
  std::string caption_;
};

}  // namespace tuvo::controls
