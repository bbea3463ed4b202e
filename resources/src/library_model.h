// The model the library is built for, as entry.cpp knows it from the build;
// the resource parts take their model-dependent names (help file, custom
// control classes) from it.
#pragma once

#include "common/model.h"
#include "qlres/template_texts.h"

namespace tq::qlres {

Model LibraryModel();

// The host's custom control class of this library's model.
inline const char16_t* HostClass(CustomControl control) { return CustomClassName(control, LibraryModel()); }

}  // namespace tq::qlres
