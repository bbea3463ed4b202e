// The host's HostSettingsBlock: the job settings of one document as the
// stand-in lays them out. The plug-ins rely only on the fields of
// common/host_settings.h; everything else here is the host's own choice:
//
//   0 .. 2047      the public fields (548 and 552 locate the areas below)
//   2048 .. 3071   the private area
//   3072 .. 3327   the job-state area
//   3328 ..        the fax add-on's blocks 1, 2 and 3, at the offsets its
//                  control block names
#pragma once

#include <cstddef>
#include <vector>

#include "common/addon_table.h"

namespace tq::host {

struct SettingsLayout {
  std::size_t privateArea = 0;
  std::size_t jobState = 0;
  std::size_t block1 = 0;
  std::size_t block2 = 0;
  std::size_t block3 = 0;
  std::size_t size = 0;
};

// The layout for an add-on whose table has been checked (CheckAddOnTable).
SettingsLayout LayoutFor(const AddOnTable& table);

using SettingsBlock = std::vector<unsigned char>;

// New document settings: the host's defaults (fax job, one copy, centre
// tray, no monitor, fax feature installed, no G4, speed dial 1-200) and the
// fax blocks from the table's defaults.
SettingsBlock NewSettings(const AddOnTable& table, const SettingsLayout& layout);

// True when `block` has the layout's size and its fields 548 and 552 name
// the layout's areas.
bool MatchesLayout(const SettingsBlock& block, const SettingsLayout& layout);

FaxOptionsBlock* OptionsOf(SettingsBlock& block, const SettingsLayout& layout);
const FaxOptionsBlock* OptionsOf(const SettingsBlock& block, const SettingsLayout& layout);
FaxSendBlock* SendOf(SettingsBlock& block, const SettingsLayout& layout);
const FaxSendBlock* SendOf(const SettingsBlock& block, const SettingsLayout& layout);

// The control block the host lists for the fax add-on: the plug-in's table
// and the offsets of its blocks in the settings.
AddOnControlBlock ControlBlockFor(const AddOnTable* table, const SettingsLayout& layout);

}  // namespace tq::host
