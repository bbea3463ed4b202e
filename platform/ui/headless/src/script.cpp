#include "script.h"

#include <charconv>
#include <map>
#include <sstream>

#include "win/text.h"
#include "win/user.h"

namespace tq::ui::script {
namespace {

struct Grammar {
  Verb verb;
  bool control;   // first argument is a control identifier
  int minTexts;   // words after the control (or after the verb)
  int maxTexts;   // -1: any number
};

const std::map<std::string, Grammar>& Verbs() {
  static const std::map<std::string, Grammar> verbs = {
      {"dialog", {Verb::Dialog, true, 0, 0}},
      {"page", {Verb::Page, true, 0, 1}},
      {"type", {Verb::Type, true, 1, 1}},
      {"settext", {Verb::SetText, true, 1, 1}},
      {"click", {Verb::Click, true, 0, 0}},
      {"select", {Verb::Select, true, 0, -1}},
      {"selecttext", {Verb::SelectText, true, 1, -1}},
      {"dblclick", {Verb::DblClick, true, 1, 1}},
      {"key", {Verb::Key, true, 1, 1}},
      {"alt", {Verb::Alt, false, 1, 1}},
      {"hold", {Verb::Hold, false, 1, 2}},
      {"release", {Verb::Release, false, 0, 0}},
      {"wait-command", {Verb::WaitCommand, true, 0, 1}},
      {"box", {Verb::Box, false, 1, 2}},
      {"file", {Verb::File, false, 1, 1}},
      {"file-cancel", {Verb::FileCancel, false, 0, 0}},
      {"expect-text", {Verb::ExpectText, true, 1, 1}},
      {"expect-lines", {Verb::ExpectLines, true, 0, -1}},
      {"expect-selected", {Verb::ExpectSelected, true, 0, -1}},
      {"expect-enabled", {Verb::ExpectEnabled, true, 0, 0}},
      {"expect-disabled", {Verb::ExpectDisabled, true, 0, 0}},
      {"expect-visible", {Verb::ExpectVisible, true, 0, 0}},
      {"expect-hidden", {Verb::ExpectHidden, true, 0, 0}},
      {"expect-checked", {Verb::ExpectChecked, true, 0, 0}},
      {"expect-unchecked", {Verb::ExpectUnchecked, true, 0, 0}},
      {"expect-caption", {Verb::ExpectCaption, false, 1, 1}},
      {"expect-focus", {Verb::ExpectFocus, true, 0, 0}},
      {"shot", {Verb::Shot, false, 1, 1}},
  };
  return verbs;
}

bool ToInt(const std::string& word, int* value) {
  const char* end = word.data() + word.size();
  auto [at, error] = std::from_chars(word.data(), end, *value);
  return error == std::errc() && at == end;
}

// Checks and fills the arguments of one action; an error message otherwise.
std::string Fill(Action& action, const std::string& name, const std::vector<std::string>& args) {
  switch (action.verb) {
    case Verb::Select:
    case Verb::ExpectSelected:
    case Verb::DblClick:
      for (const std::string& word : args) {
        int item = 0;
        if (!ToInt(word, &item) || item < 0) return name + ": \"" + word + "\" is not an item number";
        action.numbers.push_back(item);
      }
      return {};
    case Verb::Page:
      if (!args.empty()) {
        int nth = 0;
        if (!ToInt(args[0], &nth) || nth < 1) return "page: \"" + args[0] + "\" is not a page number (1, 2, ...)";
        action.numbers.push_back(nth);
      }
      return {};
    case Verb::Key: {
      static const std::map<std::string, int> keys = {
          {"delete", VK_DELETE}, {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"f1", VK_F1},
          {"tab", VK_TAB},       {"home", VK_HOME},    {"end", VK_END},       {"pgup", VK_PRIOR},
          {"pgdn", VK_NEXT},     {"up", VK_UP},        {"down", VK_DOWN},     {"left", VK_LEFT},
          {"right", VK_RIGHT}};
      auto found = keys.find(args[0]);
      if (found == keys.end()) {
        return "key: \"" + args[0] +
               "\" is not delete, enter, escape, f1, tab, home, end, pgup, pgdn, up, down, left or right";
      }
      action.key = found->second;
      return {};
    }
    case Verb::Alt:
      if (Utf8ToUtf16(args[0]).size() != 1) return "alt: \"" + args[0] + "\" is not one letter";
      action.texts.push_back(Utf8ToUtf16(args[0]));
      return {};
    case Verb::Hold:
      for (const std::string& word : args) {
        if (word == "shift") {
          action.shift = true;
        } else if (word == "ctrl") {
          action.control = true;
        } else {
          return "hold: \"" + word + "\" is not shift or ctrl";
        }
      }
      return {};
    case Verb::WaitCommand:
      if (!args.empty()) {
        int seconds = 0;
        if (!ToInt(args[0], &seconds) || seconds <= 0) return "wait-command: \"" + args[0] + "\" is not a number of seconds";
        action.numbers.push_back(seconds);
      }
      return {};
    case Verb::Box: {
      static const std::map<std::string, int> answers = {
          {"ok", IDOK}, {"cancel", IDCANCEL}, {"yes", IDYES}, {"no", IDNO}};
      auto found = answers.find(args[0]);
      if (found == answers.end()) return "box: \"" + args[0] + "\" is not ok, cancel, yes or no";
      action.key = found->second;
      for (size_t i = 1; i < args.size(); ++i) action.texts.push_back(Utf8ToUtf16(args[i]));
      return {};
    }
    default:
      for (const std::string& word : args) action.texts.push_back(Utf8ToUtf16(word));
      return {};
  }
}

}  // namespace

bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    std::string word;
    if (c == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\') {
          if (i >= line.size()) break;
          const char e = line[i++];
          switch (e) {
            case 'n': d = '\n'; break;
            case 't': d = '\t'; break;
            case 'r': d = '\r'; break;
            case '"': d = '"'; break;
            case '\\': d = '\\'; break;
            default:
              *error = std::string("unknown escape \\") + e;
              return false;
          }
        }
        word += d;
      }
      if (!closed) {
        *error = "a text in double quotes is not closed";
        return false;
      }
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
    }
    words->push_back(word);
  }
  return true;
}

ParseResult Parse(const std::string& text) {
  ParseResult result;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::vector<std::string> words;
    std::string error;
    auto fail = [&](const std::string& why) {
      result.error = "line " + std::to_string(number) + ": " + why;
      result.actions.clear();
      return result;
    };
    if (!SplitWords(line, &words, &error)) return fail(error);
    if (words.empty()) continue;
    auto found = Verbs().find(words[0]);
    if (found == Verbs().end()) return fail("unknown action \"" + words[0] + "\"");
    const Grammar& grammar = found->second;
    Action action;
    action.line = number;
    action.verb = grammar.verb;
    action.source = line;
    std::vector<std::string> args(words.begin() + 1, words.end());
    if (grammar.control) {
      if (args.empty() || !ToInt(args[0], &action.id)) {
        return fail(words[0] + ": needs a " +
                    std::string(grammar.verb == Verb::Dialog || grammar.verb == Verb::Page ? "template" : "control") +
                    " identifier");
      }
      args.erase(args.begin());
    }
    const int count = static_cast<int>(args.size());
    if (count < grammar.minTexts || (grammar.maxTexts >= 0 && count > grammar.maxTexts)) {
      return fail(words[0] + ": wrong number of arguments");
    }
    if (std::string why = Fill(action, words[0], args); !why.empty()) return fail(why);
    result.actions.push_back(std::move(action));
  }
  return result;
}

}  // namespace tq::ui::script
