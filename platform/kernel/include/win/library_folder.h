// Where the project's own libraries are at run time.
#pragma once

#include <string>

namespace tq::kernel {

// The folder of the project's shared libraries, plug-ins, faces and help
// pages: the folder this layer's library lies in. In the build tree that is
// the build's bin folder, beside the programs; installed, it is the private
// library folder the programs reach through their RPATH.
std::string LibraryFolder();

}  // namespace tq::kernel
