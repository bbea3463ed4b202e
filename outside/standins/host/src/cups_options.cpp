#include "host/cups_options.h"

#include <cctype>
#include <utility>

#include "host/document_source.h"
#include "host/host_options.h"
#include "host/lpd_job.h"
#include "host/port_sink.h"

namespace tq::host {

namespace {

constexpr std::string_view kScheme = "telequill:/";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// PPD option name, qlhost setting; the choices map to the setting's words.
constexpr std::pair<std::string_view, std::string_view> kOptions[] = {
    {"TelequillJob", "job-mode"},
    {"TelequillResolution", "resolution"},
    {"TelequillReport", "report"},
    {"TelequillHeader", "header"},
};

}  // namespace

bool IsDeviceUri(std::string_view uri) {
  PortAddress port;
  LpdAddress lpd;
  std::string ignored;
  return ParsePortUri(uri, port, ignored) || ParseLpdUri(uri, lpd, ignored);
}

bool ParseDeviceUri(std::string_view deviceUri, DeviceTarget& target, std::string& error) {
  error = std::string(deviceUri) +
          ": not a fax queue's device (use telequill:/socket://HOST:PORT?model=n or telequill:/lpd://HOST/QUEUE)";
  if (deviceUri.substr(0, kScheme.size()) != kScheme) return false;
  std::string_view inner = deviceUri.substr(kScheme.size());
  target.model = "n";
  if (const auto query = inner.find('?'); query != std::string_view::npos) {
    const std::string_view parameters = inner.substr(query + 1);
    inner = inner.substr(0, query);
    if (parameters == "model=p") {
      target.model = "p";
    } else if (parameters != "model=n") {
      return false;
    }
  }
  if (!IsDeviceUri(inner)) return false;
  target.uri = std::string(inner);
  error.clear();
  return true;
}

std::vector<std::pair<std::string, std::string>> SplitCupsOptions(std::string_view options) {
  std::vector<std::pair<std::string, std::string>> split;
  std::size_t at = 0;
  const auto blank = [&] { return options[at] == ' ' || options[at] == '\t'; };
  while (at < options.size()) {
    while (at < options.size() && blank()) ++at;
    if (at >= options.size()) break;
    std::string name, value;
    while (at < options.size() && !blank() && options[at] != '=') name += options[at++];
    if (at < options.size() && options[at] == '=') {
      ++at;
      char quote = 0;
      while (at < options.size() && (quote != 0 || !blank())) {
        const char c = options[at++];
        if (c == '\\' && at < options.size()) {
          value += options[at++];
        } else if (quote == 0 && (c == '\'' || c == '"')) {
          quote = c;
        } else if (c == quote) {
          quote = 0;
        } else {
          value += c;
        }
      }
    }
    if (!name.empty()) split.emplace_back(std::move(name), std::move(value));
  }
  return split;
}

bool GivenJobFromCupsOptions(std::string_view options, GivenJob& given, std::string& error) {
  given = {};
  std::string phone;
  for (const auto& [name, value] : SplitCupsOptions(options)) {
    std::string* into = name == "fax-to" ? &given.to : name == "phone" ? &phone : name == "fax-delay" ? &given.delay
                                                                                                      : nullptr;
    if (into == nullptr) continue;
    if (!CheckOptionValue(name, value, error)) return false;
    *into = value;
  }
  if (!phone.empty() && !given.to.empty()) {
    error = "phone: give the recipients with fax-to or phone, not both";
    return false;
  }
  if (!phone.empty()) {
    // One number: a ';' in it would make it a list.
    if (phone.find(';') != std::string::npos) {
      error = "phone: \"" + phone + "\" is one fax number; give a list with fax-to";
      return false;
    }
    given.to = phone;
  }
  if (!given.delay.empty() && given.to.empty()) {
    error = "fax-delay: a delayed send needs its recipients (fax-to or phone)";
    return false;
  }
  return true;
}

std::string SettingsFromCupsOptions(std::string_view options, int copies) {
  std::string settings;
  const auto add = [&settings](std::string_view name, std::string_view value) {
    if (!settings.empty()) settings += ' ';
    settings += std::string(name) + "=" + std::string(value);
  };
  bool given = false;
  for (const auto& [name, word] : SplitCupsOptions(options)) {
    given = given || ((name == "fax-to" || name == "phone") && !word.empty());
    for (const auto& [option, setting] : kOptions) {
      if (name != option) continue;
      std::string value = Lower(word);
      if (value == "onerror") value = "on-error";
      // Only plain words pass: nothing a value holds can add a setting.
      bool plain = !value.empty();
      for (char c : value) plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '-');
      if (plain) add(setting, value);
    }
  }
  if (copies > 1 && copies <= 999) add("copies", std::to_string(copies));
  if (given) add("job-mode", "fax");
  // CUPS's own layout options, for documents that Ghostscript converts.
  for (const auto& [name, value] : SplitCupsOptions(options)) {
    if (name == "page-ranges" && IsPageList(value)) add("pages", value);
    if (name == "number-up" && (value == "2" || value == "4" || value == "6" || value == "9" || value == "16")) {
      add("number-up", value);
    }
    if (name == "fit-to-page" && (value.empty() || value == "true" || value == "yes" || value == "on")) {
      add("fit-to-page", "on");
    }
  }
  return settings;
}

}  // namespace tq::host
