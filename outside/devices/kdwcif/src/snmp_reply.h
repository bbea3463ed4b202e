// One SNMP reply as the library takes it, apart from the network so that
// any reply can be tried on it: net-snmp has decoded the message, and the
// reply is kept only when it answers the request that was sent.
#pragma once

#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "snmp_exchange.h"

namespace tq::kdwcif {

// net-snmp set up once per process: no MIB or configuration files, no
// persistent state, no log.
void SetUpNetSnmp();

// The values of a response without error that carries exactly the names
// asked, in order (for GETNEXT, `next`, any names), with the names it
// carried; false for anything else.
bool ReadReply(const netsnmp_pdu& pdu, const std::vector<std::vector<oid>>& asked, bool next,
               std::vector<SnmpValue>& values, std::vector<std::vector<oid>>& names);

}  // namespace tq::kdwcif
