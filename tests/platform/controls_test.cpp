// The event rules of the window controls, on real widgets under the offscreen platform.
#include "platform/controls.h"

#include <QApplication>
#include <QCoreApplication>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuvo::controls {
namespace {

// A small window: two frames of option buttons, two lists, a text box and a button.
class ControlsTest : public ::testing::Test {
 protected:
  QWidget window;
  Frame frameA{"frameA", &window};
  OptionButton a1{"a1", frameA.Widget()};
  OptionButton a2{"a2", frameA.Widget()};
  Frame frameB{"frameB", &window};
  OptionButton b1{"b1", frameB.Widget()};
  ComboBox typed{"typed", &window};
  ComboBox picks{"picks", &window};
  TextBox box{"box", &window};
  CommandButton button{"button", &window};
  Label label{"label", &window};
  std::vector<std::string> log;

  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    for (Control* c : std::initializer_list<Control*>{&frameA, &frameB, &typed, &picks, &box, &button, &label}) {
      layout->addWidget(c->Widget());
    }
    new QVBoxLayout(frameA.Widget());
    frameA.Widget()->layout()->addWidget(a1.Widget());
    frameA.Widget()->layout()->addWidget(a2.Widget());
    new QVBoxLayout(frameB.Widget());
    frameB.Widget()->layout()->addWidget(b1.Widget());
    typed.SetAcceptsTyping(true);
    for (const char* item : {"30", "10", "20"}) {
      typed.AddItem(item);
      picks.AddItem(item);
    }
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
  }

  // Records each raise with the text the control holds while its handler runs.
  void Record(ComboBox& list) {
    list.Change = [this, &list] { log.push_back(list.Name() + ".Change:" + list.Text()); };
    list.Click = [this, &list] { log.push_back(list.Name() + ".Click:" + list.Text()); };
  }
};

TEST_F(ControlsTest, CodeWriteRaisesChangeBeforeItReturnsAndOnlyWhenTheTextChanges) {
  Record(picks);
  picks.SetText("200");  // not an item: code may write any text, into a list that takes no typing
  ASSERT_EQ(log, (std::vector<std::string>{"picks.Change:200"}));
  picks.SetText("200");
  EXPECT_EQ(log.size(), 1u) << "the same text again is no change";
  picks.SetText("");
  EXPECT_EQ(log.back(), "picks.Change:");
}

TEST_F(ControlsTest, PickRaisesClickAndNotChange) {
  Record(picks);
  picks.Pick(1);
  EXPECT_EQ(log, (std::vector<std::string>{"picks.Click:10"}));
  picks.SetText("x");
  log.clear();
  picks.Pick(1);  // the same item again puts its text back and is a pick again
  EXPECT_EQ(log, (std::vector<std::string>{"picks.Click:10"}));
  picks.Pick(std::string_view("20"));
  EXPECT_EQ(log.back(), "picks.Click:20");
}

TEST_F(ControlsTest, LeavingAListWhoseTextIsAnItemIsNoPick) {
  Record(typed);
  typed.Type("20");  // typed text that equals an item
  log.clear();
  ASSERT_TRUE(box.SetFocus());  // the field loses the focus: editing is finished
  QCoreApplication::processEvents();
  typed.SetText("10");  // a code write of an item's text
  ASSERT_TRUE(typed.SetFocus());
  ASSERT_TRUE(box.SetFocus());
  QCoreApplication::processEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"typed.Change:10"}));
}

TEST_F(ControlsTest, ItemsStayInAppendOrderAndAddingChoosesNothing) {
  ASSERT_EQ(typed.ListCount(), 3);
  EXPECT_EQ(typed.Item(0), "30");
  EXPECT_EQ(typed.Item(1), "10");
  EXPECT_EQ(typed.Item(2), "20");
  EXPECT_EQ(typed.Text(), "");
  EXPECT_EQ(typed.ListIndex(), -1);
  typed.SetText("abc");
  typed.AddItem("5");
  EXPECT_EQ(typed.Text(), "abc") << "appending keeps the text";
  EXPECT_EQ(typed.Item(3), "5");
}

TEST_F(ControlsTest, ClearEmptiesItemsAndTextWithoutChange) {
  Record(typed);
  typed.Pick(0);
  log.clear();
  typed.Clear();
  EXPECT_EQ(typed.ListCount(), 0);
  EXPECT_EQ(typed.Text(), "");
  EXPECT_TRUE(log.empty());
  typed.AddItem("7");
  EXPECT_EQ(typed.Text(), "") << "the first item of an emptied list is not chosen by itself";
}

TEST_F(ControlsTest, HandlersNest) {
  // typed's Change writes picks, whose Change writes the text box, whose Change empties itself.
  typed.Change = [&] {
    log.push_back("typed begin " + typed.Text());
    picks.SetText(typed.Text() + "!");
    log.push_back("typed end");
  };
  picks.Change = [&] {
    log.push_back("picks begin " + picks.Text());
    box.SetText("x");
    log.push_back("picks end box=" + box.Text());
  };
  box.Change = [&] {
    log.push_back("box " + box.Text());
    if (!box.Text().empty()) box.SetText("");  // as a range check empties a refused value
  };
  typed.SetText("1");
  EXPECT_EQ(log, (std::vector<std::string>{"typed begin 1", "picks begin 1!", "box x", "box ",
                                           "picks end box=", "typed end"}));
}

TEST_F(ControlsTest, TypingRaisesChangePerCharacterAndOnlyWhereTypingIsAllowed) {
  Record(typed);
  typed.Type("1.5");
  EXPECT_EQ(log, (std::vector<std::string>{"typed.Change:1", "typed.Change:1.", "typed.Change:1.5"}));
  log.clear();
  typed.Backspace(2);
  EXPECT_EQ(log, (std::vector<std::string>{"typed.Change:1.", "typed.Change:1"}));
  log.clear();
  typed.Paste("25");
  EXPECT_EQ(log, (std::vector<std::string>{"typed.Change:125"}));

  Record(picks);
  log.clear();
  EXPECT_THROW(picks.Type("5"), UserActionRefused);
  EXPECT_THROW(picks.Paste("5"), UserActionRefused);
  EXPECT_EQ(picks.Text(), "");
  EXPECT_TRUE(log.empty());
}

TEST_F(ControlsTest, ThaiIsTypedOneCharacterAtATime) {
  int changes = 0;
  box.Change = [&] { ++changes; };
  const std::string thai = "\xE0\xB8\x94\xE0\xB8\xB4\xE0\xB8\x99";  // three characters, one a vowel mark
  box.Type(thai);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(box.Text(), thai);
}

TEST_F(ControlsTest, UserActionsFailOnDisabledOrHiddenControlsAndOwnFlagsStay) {
  picks.SetEnabled(false);
  EXPECT_THROW(picks.Pick(0), UserActionRefused);
  picks.SetEnabled(true);
  picks.SetVisible(false);
  EXPECT_THROW(picks.Pick(0), UserActionRefused);
  EXPECT_FALSE(picks.Visible());

  // A disabled frame makes its buttons unusable without changing their own flag.
  frameA.SetEnabled(false);
  EXPECT_TRUE(a2.Enabled());
  EXPECT_FALSE(a2.CanTakeFocus());
  EXPECT_THROW(a2.UserClick(), UserActionRefused);
  EXPECT_FALSE(a2.Value());

  button.SetEnabled(false);
  int clicks = 0;
  button.Click = [&] { ++clicks; };
  EXPECT_THROW(button.Press(), UserActionRefused);
  EXPECT_EQ(clicks, 0);
  EXPECT_THROW(picks.Pick(7), UserActionRefused);
}

TEST_F(ControlsTest, OptionButtonsExcludeEachOtherOnlyInsideTheirFrame) {
  std::vector<std::string> clicks;
  for (OptionButton* o : {&a1, &a2, &b1}) o->Click = [&clicks, o] { clicks.push_back(o->Name()); };
  a1.SetValue(true);
  b1.SetValue(true);
  EXPECT_TRUE(a1.Value());
  EXPECT_TRUE(b1.Value()) << "another frame's button is not unselected";
  a2.SetValue(true);
  EXPECT_FALSE(a1.Value());
  EXPECT_TRUE(a2.Value());
  EXPECT_TRUE(b1.Value());
  a2.SetValue(true);  // already selected: Click again
  EXPECT_EQ(clicks, (std::vector<std::string>{"a1", "b1", "a2", "a2"}));
  a2.SetValue(false);
  EXPECT_FALSE(a2.Value());
  EXPECT_EQ(clicks.size(), 4u) << "unselecting raises nothing";

  clicks.clear();
  a1.UserClick();
  a1.UserClick();  // a click on the selected button leaves it selected
  EXPECT_TRUE(a1.Value());
  EXPECT_FALSE(a2.Value());
  EXPECT_EQ(clicks, (std::vector<std::string>{"a1"}));
}

TEST_F(ControlsTest, FocusMovesOnlyToControlsThatCanTakeItAndRaisesGotFocus) {
  std::vector<std::string> got;
  a1.GotFocus = [&] { got.push_back("a1"); };
  a2.GotFocus = [&] { got.push_back("a2"); };
  ASSERT_TRUE(window.isActiveWindow()) << "the offscreen window should be active";
  ASSERT_TRUE(box.SetFocus());
  EXPECT_TRUE(a1.SetFocus());
  EXPECT_TRUE(a1.HasFocus());
  a2.SetEnabled(false);
  EXPECT_FALSE(a2.SetFocus());
  EXPECT_TRUE(a1.HasFocus()) << "a skipped move leaves the focus where it was";
  a2.SetEnabled(true);
  a2.UserClick();  // a click gives the focus first
  EXPECT_EQ(got, (std::vector<std::string>{"a1", "a2"}));

  window.hide();
  EXPECT_FALSE(a1.SetFocus()) << "no focus into a window that is not shown";
}

TEST_F(ControlsTest, TextBoxRaisesChangeAndClick) {
  std::vector<std::string> events;
  box.Change = [&] { events.push_back("Change:" + box.Text()); };
  box.Click = [&] { events.push_back("Click"); };
  box.SetText("12");
  box.ClickIn();
  box.Type("3");
  EXPECT_EQ(events, (std::vector<std::string>{"Change:12", "Click", "Change:123"}));
  EXPECT_TRUE(box.HasFocus());
}

TEST_F(ControlsTest, AWrappedCaptionStaysTheCaption) {
  const std::string caption = "one two three four five six seven & eight";
  a1.SetCaption(caption);
  a1.SetWrapWidth(60);
  EXPECT_EQ(a1.Caption(), caption);
  EXPECT_TRUE(a1.Button()->text().contains('\n'));
  EXPECT_TRUE(a1.Button()->text().contains("&&")) << "an ampersand is shown, not taken as a shortcut";
  button.SetCaption("A&B");
  EXPECT_EQ(button.Caption(), "A&B");
}

TEST_F(ControlsTest, ButtonAndLabelClicksAndBeep) {
  int buttonClicks = 0, labelClicks = 0;
  button.Click = [&] { ++buttonClicks; };
  label.Click = [&] { ++labelClicks; };
  button.Press();
  label.UserClick();
  EXPECT_EQ(buttonClicks, 1);
  EXPECT_EQ(labelClicks, 1);
  const int before = BeepCount();
  Beep();
  EXPECT_EQ(BeepCount(), before + 1);
}

}  // namespace
}  // namespace tuvo::controls
