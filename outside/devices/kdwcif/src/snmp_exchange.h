// SNMP GET and walks over net-snmp, for one address or a broadcast.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace tq::kdwcif {

// One variable of an answer. Kinds other than these count as Missing.
struct SnmpValue {
  enum class Kind { Missing, Integer, Text, Oid } kind = Kind::Missing;
  long long number = 0;
  std::string text;  // Text, or Oid in dotted decimal
};

struct SnmpAnswer {
  std::string from;  // the answering address, dotted decimal
  std::vector<SnmpValue> values;  // in the order asked; Missing for a wrong name
};

struct SnmpTarget {
  std::string address;  // dotted decimal
  unsigned short port = 161;
  bool broadcast = false;  // keep collecting answers from any address
};

// Sends one GET of `oids` (dotted decimal) and gathers the answers until
// `wait` has passed; for a target that is not a broadcast, until the first
// answer from that very address. Answers from other addresses, malformed
// answers and answers whose variables do not match the request are dropped.
std::vector<SnmpAnswer> SnmpGet(const SnmpTarget& target, const std::vector<std::string>& oids,
                                std::chrono::milliseconds wait);

struct SnmpRow {
  std::vector<unsigned long> index;  // the arcs after the column
  SnmpValue value;
};

// Walks `column` (GETNEXT until the answer leaves it), at most `maxRows`
// rows. False when the device does not answer.
bool SnmpWalk(const SnmpTarget& target, const std::string& column, std::size_t maxRows,
              std::chrono::milliseconds wait, std::vector<SnmpRow>& rows);

}  // namespace tq::kdwcif
