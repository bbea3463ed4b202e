// vCards written by the address book tests: a 3.0 person with its TEL
// lines, a 4.0 group naming its members by UID.
#pragma once

#include <string>
#include <vector>

namespace tq::import::testing {

inline std::string Person(const std::string& name, const std::string& tels, const std::string& uid = "") {
  return "BEGIN:VCARD\nVERSION:3.0\n" + (uid.empty() ? "" : "UID:" + uid + "\n") + "FN:" + name + "\n" + tels +
         "END:VCARD\n";
}

inline std::string Group(const std::string& name, const std::string& uid, const std::vector<std::string>& members) {
  std::string card = "BEGIN:VCARD\nVERSION:4.0\nKIND:group\nUID:" + uid + "\nFN:" + name + "\n";
  for (const std::string& member : members) card += "MEMBER:urn:uuid:" + member + "\n";
  return card + "END:VCARD\n";
}

}  // namespace tq::import::testing
