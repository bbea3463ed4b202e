// net-snmp's single-session calls, so that several threads may each run a
// request of their own; the library itself is set up once.
#include "snmp_exchange.h"

#include <arpa/inet.h>
#include <sys/select.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "snmp_reply.h"

namespace tq::kdwcif {

void SetUpNetSnmp() {
  static std::once_flag once;
  std::call_once(once, [] {
    // No MIB files, configuration files or persistent state: every name
    // used here is numeric, and a user's files must not change what we ask.
    setenv("MIBS", "", 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_WARNINGS, 0);
    snmp_disable_log();
    init_snmp("telequill-kdwcif");
  });
}

namespace {

using Clock = std::chrono::steady_clock;

bool ParseOid(const std::string& text, std::vector<oid>& arcs) {
  arcs.clear();
  std::size_t at = text.size() > 0 && text[0] == '.' ? 1 : 0;
  while (at < text.size()) {
    char* end = nullptr;
    const unsigned long arc = std::strtoul(text.c_str() + at, &end, 10);
    const std::size_t next = static_cast<std::size_t>(end - text.c_str());
    if (next == at || (next < text.size() && text[next] != '.')) return false;
    arcs.push_back(static_cast<oid>(arc));
    at = next + 1;
  }
  return arcs.size() >= 2 && arcs.size() <= MAX_OID_LEN;
}

std::string OidText(const oid* arcs, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += (i ? "." : "") + std::to_string(arcs[i]);
  return text;
}

SnmpValue ValueOf(const netsnmp_variable_list* variable) {
  SnmpValue value;
  switch (variable->type) {
    case ASN_INTEGER:
      value.kind = SnmpValue::Kind::Integer;
      value.number = *variable->val.integer;
      break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
      value.kind = SnmpValue::Kind::Integer;
      value.number = static_cast<unsigned long>(*variable->val.integer) & 0xFFFFFFFFul;
      break;
    case ASN_OCTET_STR:
      value.kind = SnmpValue::Kind::Text;
      value.text.assign(reinterpret_cast<const char*>(variable->val.string), variable->val_len);
      break;
    case ASN_OBJECT_ID:
      value.kind = SnmpValue::Kind::Oid;
      value.text = OidText(variable->val.objid, variable->val_len / sizeof(oid));
      break;
    default: break;  // noSuchObject, noSuchInstance, endOfMibView, others
  }
  return value;
}

struct Exchange {
  const SnmpTarget* target = nullptr;
  std::vector<std::vector<oid>> asked;
  bool next = false;  // GETNEXT: names need not match
  std::vector<SnmpAnswer> answers;
  std::vector<std::vector<oid>> names;  // of the first answer, for walks
  bool done = false;
};

std::string SenderOf(const netsnmp_pdu* pdu) {
  if (pdu->transport_data == nullptr || pdu->transport_data_length < static_cast<int>(sizeof(sockaddr_in))) {
    return {};
  }
  const auto* pair = static_cast<const netsnmp_indexed_addr_pair*>(pdu->transport_data);
  if (pair->remote_addr.sa.sa_family != AF_INET) return {};
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &pair->remote_addr.sin.sin_addr, text, sizeof text);
  return text;
}

int Collect(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
  auto& exchange = *static_cast<Exchange*>(magic);
  // A resend (every second, see Run) is progress, not an end: only a
  // request that is given up ends the wait for one address.
  if (operation == NETSNMP_CALLBACK_OP_RESEND || operation == NETSNMP_CALLBACK_OP_CONNECT) return 1;
  if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || pdu == nullptr) {
    if (!exchange.target->broadcast) exchange.done = true;
    return 1;
  }
  SnmpAnswer answer;
  answer.from = SenderOf(pdu);
  if (answer.from.empty()) return 1;
  if (!exchange.target->broadcast && answer.from != exchange.target->address) return 1;
  std::vector<std::vector<oid>> names;
  if (!ReadReply(*pdu, exchange.asked, exchange.next, answer.values, names)) return 1;
  for (const SnmpAnswer& earlier : exchange.answers) {
    if (earlier.from == answer.from) return 1;  // one answer per address
  }
  if (exchange.answers.empty()) exchange.names = std::move(names);
  exchange.answers.push_back(std::move(answer));
  if (!exchange.target->broadcast) exchange.done = true;
  return 1;
}

bool Run(Exchange& exchange, int command, std::chrono::milliseconds wait) {
  SetUpNetSnmp();
  const SnmpTarget& target = *exchange.target;
  const std::string peer = "udp:" + target.address + ":" + std::to_string(target.port);
  netsnmp_session settings;
  snmp_sess_init(&settings);
  settings.peername = const_cast<char*>(peer.c_str());
  settings.version = SNMP_VERSION_2c;
  static char community[] = "public";
  settings.community = reinterpret_cast<u_char*>(community);
  settings.community_len = std::strlen(community);
  // Resent every second until the wait is over; the deadline below decides.
  settings.timeout = 1000000;
  settings.retries = static_cast<int>(wait.count() / 1000) + 1;
  settings.callback = Collect;
  settings.callback_magic = &exchange;
  if (target.broadcast) settings.flags |= SNMP_FLAGS_UDP_BROADCAST;
  void* session = snmp_sess_open(&settings);
  if (session == nullptr) return false;

  netsnmp_pdu* request = snmp_pdu_create(command);
  for (const auto& name : exchange.asked) snmp_add_null_var(request, name.data(), name.size());
  if (snmp_sess_async_send(session, request, Collect, &exchange) == 0) {
    snmp_free_pdu(request);
    snmp_sess_close(session);
    return false;
  }
  const Clock::time_point deadline = Clock::now() + wait;
  while (!exchange.done) {
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    int count = 0;
    int block = 0;
    fd_set readable;
    FD_ZERO(&readable);
    timeval timeout{static_cast<time_t>(left.count() / 1000000), static_cast<suseconds_t>(left.count() % 1000000)};
    snmp_sess_select_info(session, &count, &readable, &timeout, &block);
    const timeval limit{static_cast<time_t>(left.count() / 1000000),
                        static_cast<suseconds_t>(left.count() % 1000000)};
    if (block || timercmp(&timeout, &limit, >)) timeout = limit;
    const int ready = select(count, &readable, nullptr, nullptr, &timeout);
    if (ready > 0) {
      snmp_sess_read(session, &readable);
    } else if (ready == 0) {
      snmp_sess_timeout(session);
    } else if (errno != EINTR) {
      break;
    }
  }
  snmp_sess_close(session);
  return true;
}

}  // namespace

bool ReadReply(const netsnmp_pdu& pdu, const std::vector<std::vector<oid>>& asked, bool next,
               std::vector<SnmpValue>& values, std::vector<std::vector<oid>>& names) {
  if (pdu.command != SNMP_MSG_RESPONSE || pdu.errstat != SNMP_ERR_NOERROR) return false;
  values.clear();
  names.clear();
  std::size_t i = 0;
  for (auto* variable = pdu.variables; variable != nullptr; variable = variable->next_variable, ++i) {
    if (i >= asked.size()) return false;  // more than asked: not our answer
    const bool same = variable->name_length == asked[i].size() &&
                      std::equal(asked[i].begin(), asked[i].end(), variable->name);
    if (!next && !same) return false;
    values.push_back(ValueOf(variable));
    names.emplace_back(variable->name, variable->name + variable->name_length);
  }
  return i == asked.size();  // fewer than asked: not our answer either
}

std::vector<SnmpAnswer> SnmpGet(const SnmpTarget& target, const std::vector<std::string>& oids,
                                std::chrono::milliseconds wait) {
  Exchange exchange;
  exchange.target = &target;
  for (const std::string& text : oids) {
    std::vector<oid> arcs;
    if (!ParseOid(text, arcs)) return {};
    exchange.asked.push_back(arcs);
  }
  if (!Run(exchange, SNMP_MSG_GET, wait)) return {};
  return exchange.answers;
}

bool SnmpWalk(const SnmpTarget& target, const std::string& column, std::size_t maxRows,
              std::chrono::milliseconds wait, std::vector<SnmpRow>& rows) {
  rows.clear();
  std::vector<oid> base;
  if (!ParseOid(column, base)) return false;
  std::vector<oid> at = base;
  while (rows.size() < maxRows) {
    Exchange exchange;
    exchange.target = &target;
    exchange.next = true;
    exchange.asked.push_back(at);
    if (!Run(exchange, SNMP_MSG_GETNEXT, wait) || exchange.answers.empty()) return false;
    const std::vector<oid>& name = exchange.names.front();
    const bool inside = name.size() > base.size() && std::equal(base.begin(), base.end(), name.begin());
    const SnmpValue& value = exchange.answers.front().values.front();
    if (!inside || value.kind == SnmpValue::Kind::Missing) return true;
    // A name that does not grow would loop for ever.
    if (!std::lexicographical_compare(at.begin(), at.end(), name.begin(), name.end())) return true;
    rows.push_back({std::vector<unsigned long>(name.begin() + static_cast<long>(base.size()), name.end()), value});
    at = name;
  }
  return true;
}

}  // namespace tq::kdwcif
