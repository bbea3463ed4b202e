// Automation scripts: one action a line, parsed whole before the run
// starts so that a bad line stops it before anything happens.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tq::ui::script {

enum class Verb {
  Dialog, Page, Type, SetText, Click, Select, SelectText, DblClick, Key, Alt, Hold, Release,
  WaitCommand, Box, File, FileCancel, ExpectText, ExpectLines, ExpectSelected, ExpectEnabled,
  ExpectDisabled, ExpectVisible, ExpectHidden, ExpectChecked, ExpectUnchecked, ExpectCaption, ExpectFocus, Shot,
};

struct Action {
  int line = 0;
  Verb verb = Verb::Dialog;
  std::string source;                // the line as written, for messages
  int id = 0;                        // template or control identifier
  std::vector<int> numbers;          // items, or seconds for wait-command
  std::vector<std::u16string> texts; // texts, lines, the path, the box text
  int key = 0;                       // key or box answer (IDOK...)
  bool shift = false;
  bool control = false;
};

struct ParseResult {
  std::vector<Action> actions;
  std::string error;  // "line N: ..." when the script cannot be parsed
};

ParseResult Parse(const std::string& text);
// Splits one line into words: blanks separate, double quotes hold a text
// with \n \t \r \" \\ escapes, # outside quotes starts a comment.
bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* error);

}  // namespace tq::ui::script
