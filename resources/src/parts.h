// The parts of the library's resource script, each in a file of its own.
#pragma once

#include <span>

#include "win/resource.h"

namespace tq::qlres {

std::span<const res::StringResource> DriverStrings();  // everything but the pages' strings
std::span<const res::StringResource> PageStrings();    // 7000 to 7331
std::span<const res::DialogTemplate> PageTemplates();  // the fourteen pages
std::span<const res::DialogTemplate> AboutBoxTemplate();
std::span<const res::MenuResource> Menus();
std::span<const res::CursorResource> Cursors();

}  // namespace tq::qlres
