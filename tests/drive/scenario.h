// A scenario file of the driver: one step per line, read before any step runs.
//
//   pick CONTROL TEXT       choose the item TEXT from a list's drop-down
//   type CONTROL TEXT       empty the field, then type TEXT one character at a time
//   paste CONTROL TEXT      replace the whole text by TEXT in one edit
//   click CONTROL           click a button, option button, label or text box
//   expect CONTROL PROPERTY VALUE
//                           PROPERTY: text, enabled, visible, checked, items, count
//
// A step is the verb, one blank, the control's name and, for the verbs that take text, one blank
// and the text: the rest of the line exactly, blanks included. A line that ends right after the
// control's name (or after the property) gives an empty text. Blank lines and lines starting with
// `#` are skipped; a UTF-8 byte-order mark at the start and a carriage return before a line's end
// are line endings, not text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tuvo::drive {

enum class Verb { Pick, Type, Paste, Click, Expect };

// The properties `expect` can check.
enum class Property { Text, Enabled, Visible, Checked, Items, Count };

struct Step {
  int line = 0;  // 1-based line of the file
  Verb verb = Verb::Click;
  std::string control;
  Property property = Property::Text;  // expect only
  std::string text;                    // pick, type, paste: the text; expect: the value
};

// Why a scenario cannot be read, and on which line (0: the file as a whole).
struct ScenarioError {
  int line = 0;
  std::string what;
};

struct Scenario {
  std::vector<Step> steps;
  std::optional<ScenarioError> error;  // set: the scenario runs no step
};

// Reads the steps of a scenario's text; the first malformed line is the error.
Scenario ParseScenario(std::string_view text);

// Reads the scenario file; a file that cannot be read is an error of line 0.
Scenario ReadScenarioFile(const std::string& path);

// The word of a verb or a property, as a scenario spells it.
std::string_view VerbWord(Verb verb);
std::string_view PropertyWord(Property property);

}  // namespace tuvo::drive
