#include "host/cups_options.h"

#include <cctype>
#include <utility>

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

std::string SettingsFromCupsOptions(std::string_view options, int copies) {
  std::string settings;
  const auto add = [&settings](std::string_view name, std::string_view value) {
    if (!settings.empty()) settings += ' ';
    settings += std::string(name) + "=" + std::string(value);
  };
  while (!options.empty()) {
    const auto end = options.find(' ');
    const std::string_view word = options.substr(0, end);
    options = end == std::string_view::npos ? std::string_view() : options.substr(end + 1);
    const auto equals = word.find('=');
    if (equals == std::string_view::npos) continue;
    for (const auto& [option, setting] : kOptions) {
      if (word.substr(0, equals) != option) continue;
      std::string value = Lower(word.substr(equals + 1));
      if (value == "onerror") value = "on-error";
      // Only plain words pass: nothing a value holds can add a setting.
      bool plain = !value.empty();
      for (char c : value) plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '-');
      if (plain) add(setting, value);
    }
  }
  if (copies > 1 && copies <= 999) add("copies", std::to_string(copies));
  return settings;
}

}  // namespace tq::host
