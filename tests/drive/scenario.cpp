#include "drive/scenario.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace tuvo::drive {

namespace {

constexpr std::array<std::pair<std::string_view, Verb>, 5> kVerbs{{
    {"pick", Verb::Pick},
    {"type", Verb::Type},
    {"paste", Verb::Paste},
    {"click", Verb::Click},
    {"expect", Verb::Expect},
}};

constexpr std::array<std::pair<std::string_view, Property>, 6> kProperties{{
    {"text", Property::Text},
    {"enabled", Property::Enabled},
    {"visible", Property::Visible},
    {"checked", Property::Checked},
    {"items", Property::Items},
    {"count", Property::Count},
}};

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points beyond
// U+10FFFF), so that every text reaches the window as the file meant it.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t cp = 0;
    if (byte < 0x80) { ++i; continue; }
    if (byte >= 0xC2 && byte <= 0xDF) { length = 2; cp = byte & 0x1F; }
    else if (byte >= 0xE0 && byte <= 0xEF) { length = 3; cp = byte & 0x0F; }
    else if (byte >= 0xF0 && byte <= 0xF4) { length = 4; cp = byte & 0x07; }
    else return false;
    if (i + static_cast<std::size_t>(length) > text.size()) return false;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return false;
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

// Splits off the next word up to one blank: the word, and whether a blank followed it.
std::pair<std::string_view, bool> NextWord(std::string_view& rest) {
  const std::size_t blank = rest.find(' ');
  if (blank == std::string_view::npos) {
    const std::string_view word = rest;
    rest = {};
    return {word, false};
  }
  const std::string_view word = rest.substr(0, blank);
  rest.remove_prefix(blank + 1);
  return {word, true};
}

// The text in double quotes, for messages.
std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// One step line; an error text when it is malformed.
std::optional<std::string> ParseStep(std::string_view line, Step& step) {
  std::string_view rest = line;
  const auto [verbWord, afterVerb] = NextWord(rest);
  if (verbWord.empty()) return "a step begins with its verb, not with a blank";
  bool known = false;
  for (const auto& [word, verb] : kVerbs) {
    if (word == verbWord) {
      step.verb = verb;
      known = true;
    }
  }
  if (!known) return "unknown verb " + Quoted(verbWord) + " (pick, type, paste, click, expect)";
  if (!afterVerb) return std::string(verbWord) + " needs a control name";

  const auto [control, afterControl] = NextWord(rest);
  if (control.empty()) return std::string(verbWord) + " needs a control name after one blank";
  step.control = std::string(control);

  switch (step.verb) {
    case Verb::Click:
      if (afterControl) return "click takes no text after the control name";
      return std::nullopt;
    case Verb::Pick:
    case Verb::Type:
    case Verb::Paste:
      step.text = std::string(rest);
      return std::nullopt;
    case Verb::Expect: {
      if (!afterControl) return "expect needs a property (text, enabled, visible, checked, items, count)";
      const auto [propertyWord, afterProperty] = NextWord(rest);
      bool found = false;
      for (const auto& [word, property] : kProperties) {
        if (word == propertyWord) {
          step.property = property;
          found = true;
        }
      }
      if (!found) {
        return "unknown property " + Quoted(propertyWord) + " (text, enabled, visible, checked, items, count)";
      }
      step.text = afterProperty ? std::string(rest) : std::string();
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

// Line by line: skipped lines, then steps, up to the first malformed line.
Scenario ParseScenario(std::string_view text) {
  Scenario scenario;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);

    if (!IsUtf8(line)) {
      scenario.error = ScenarioError{number, "the line is not UTF-8 text"};
      return scenario;
    }
    if (line.find_first_not_of(" \t") == std::string_view::npos || line.starts_with('#')) continue;

    Step step;
    step.line = number;
    if (const auto error = ParseStep(line, step)) {
      scenario.error = ScenarioError{number, *error};
      return scenario;
    }
    scenario.steps.push_back(std::move(step));
  }
  return scenario;
}

// The file's bytes as one text.
Scenario ReadScenarioFile(const std::string& path) {
  std::error_code ignored;
  std::ifstream in(path, std::ios::binary);
  if (!in || std::filesystem::is_directory(path, ignored)) {
    Scenario scenario;
    scenario.error = ScenarioError{0, "cannot read the scenario file " + Quoted(path)};
    return scenario;
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) {
    Scenario scenario;
    scenario.error = ScenarioError{0, "cannot read the scenario file " + Quoted(path)};
    return scenario;
  }
  return ParseScenario(content.str());
}

// The verb's word in the scenario form.
std::string_view VerbWord(Verb verb) {
  for (const auto& [word, v] : kVerbs) {
    if (v == verb) return word;
  }
  return {};
}

// The property's word in the scenario form.
std::string_view PropertyWord(Property property) {
  for (const auto& [word, p] : kProperties) {
    if (p == property) return word;
  }
  return {};
}

}  // namespace tuvo::drive
