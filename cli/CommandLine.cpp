#include "base/Errors.h"
#include "cli/CommandLine.h"
#include "cli/Messages.h"

#include <algorithm>
#include <limits>
#include <sstream>

namespace cli {

namespace {

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> result;
  for (std::string w; in >> w;) result.push_back(w);
  return result;
}

struct ArgumentCount {
  size_t min = 0;
  size_t max = 0;
};

// Each word of the arguments text is one argument; a bracketed one may be left
// out, and one with "..." may repeat.
ArgumentCount countArguments(const Command& command) {
  ArgumentCount count;
  for (const std::string& w : words(command.arguments)) {
    if (w.front() != '[') ++count.min;
    if (w.find("...") != std::string::npos) {
      count.max = std::numeric_limits<size_t>::max();
    } else if (count.max != std::numeric_limits<size_t>::max()) {
      ++count.max;
    }
  }
  return count;
}

// The name of positional argument `index` in the arguments text, for messages.
std::string argumentName(const Command& command, size_t index) {
  const std::vector<std::string> names = words(command.arguments);
  if (names.empty()) return "argument";
  std::string name = names[std::min(index, names.size() - 1)];
  std::erase_if(name, [](char c) { return c == '[' || c == ']' || c == '.'; });
  return name;
}

const Option* findOption(const Command& command, const std::string& name) {
  for (const Option& o : command.options)
    if (name == o.name || (o.shortName && name == o.shortName)) return &o;
  return nullptr;
}

void checkAllowed(const Option& option, const std::string& value) {
  const std::string allowed = option.valueName;
  if (allowed.find('|') == std::string::npos) return;
  std::istringstream in(allowed);
  for (std::string choice; std::getline(in, choice, '|');)
    if (choice == value) return;
  throw UsageError(base::formatMessage(msg::InvalidValue, {value, option.name, allowed}));
}

// Reads one option word at words[i], and its value from the same word
// ("--format=png") or the next one; advances i past what it used.
void readOption(const Command& command, const std::vector<std::string>& words, size_t& i, Invocation& call) {
  const std::string& word = words[i];
  const size_t eq = word.find('=');
  const std::string name = word.substr(0, eq);
  const Option* option = findOption(command, name);
  if (!option) throw UsageError(base::formatMessage(msg::UnknownOption, {name}));
  if (!option->valueName) {
    if (eq != std::string::npos) throw UsageError(base::formatMessage(msg::TakesNoValue, {name}));
    call.options[option->name] = "";
    return;
  }
  std::string value;
  if (eq != std::string::npos) {
    value = word.substr(eq + 1);
  } else if (i + 1 < words.size()) {
    value = words[++i];
  } else {
    throw UsageError(base::formatMessage(msg::NeedsValue, {name, option->valueName}));
  }
  checkAllowed(*option, value);
  call.options[option->name] = value;
}

}  // namespace

std::optional<std::string> Invocation::value(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

Invocation parseArguments(const Command& command, const std::vector<std::string>& words) {
  Invocation call;
  bool optionsEnded = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || word == "-" || word.empty() || word[0] != '-') {
      call.args.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word == "-h" || word == "--help") {
      throw HelpRequest{};
    } else {
      readOption(command, words, i, call);
    }
  }
  for (const Option& o : command.options)
    if (o.required && !call.has(o.name)) throw UsageError(base::formatMessage(msg::OptionRequired, {o.name}));
  const ArgumentCount count = countArguments(command);
  if (call.args.size() < count.min || call.args.size() > count.max)
    throw UsageError(msg::WrongArgumentCount);
  for (size_t i = 0; i < call.args.size(); ++i)
    if (call.args[i].empty()) throw UsageError(base::formatMessage(msg::EmptyArgument, {argumentName(command, i)}));
  return call;
}

std::string usageLine(const Command& command) {
  std::string line = std::string("qalbum ") + command.name;
  for (const Option& o : command.options) {
    std::string text = o.name;
    if (o.valueName) text += std::string(" ") + o.valueName;
    line += o.required ? " " + text : " [" + text + "]";
  }
  if (*command.arguments) line += std::string(" ") + command.arguments;
  return line;
}

namespace {

// The text's words, a bracketed or quoted part counting as one.
std::vector<std::string> wrapUnits(const std::string& text) {
  std::vector<std::string> units(1);
  int depth = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == ' ' && depth == 0 && !quoted) {
      if (!units.back().empty()) units.emplace_back();
      continue;
    }
    depth += c == '[' ? 1 : c == ']' && depth > 0 ? -1 : 0;
    quoted = quoted != (c == '"');
    units.back() += c;
  }
  if (units.back().empty()) units.pop_back();
  return units;
}

}  // namespace

std::string wrapped(const std::string& text, const std::string& first, const std::string& rest) {
  std::string result;
  std::string line = first;
  bool lineEmpty = true;
  for (const std::string& unit : wrapUnits(text)) {
    if (!lineEmpty && line.size() + 1 + unit.size() > kHelpWidth) {
      result += line + "\n";
      line = rest;
      lineEmpty = true;
    }
    line += (lineEmpty ? "" : " ") + unit;
    lineEmpty = false;
  }
  return result + line + "\n";
}

std::string usageText(const Command& command) { return wrapped("Usage: " + usageLine(command), "", "        "); }

std::string commandHelp(const Command& command) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const Option& o : command.options)
    rows.emplace_back((o.shortName ? std::string(o.shortName) + ", " : "") + o.name +
                          (o.valueName ? std::string(" ") + o.valueName : ""),
                      o.description);
  rows.emplace_back("-h, --help", "print this help");
  size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());

  const std::string descriptionIndent(2 + width + 3, ' ');
  std::string text = usageText(command) + wrapped(command.summary, "", "") + "\nOptions:\n";
  for (const auto& [left, right] : rows)
    text += wrapped(right, "  " + left + std::string(width - left.size() + 3, ' '), descriptionIndent);
  return text;
}

}  // namespace cli
