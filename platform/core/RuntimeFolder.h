#pragma once

// The user's runtime folder: where the programs keep their lock files and the
// socket of the test-play link. It is $XDG_RUNTIME_DIR when that names a
// folder of the user that nobody else may enter, else a folder of the same
// kind made for the user under the system's temporary folder.

#include <string>

namespace platform
{

// The folder's path on disk (UTF-8), read afresh on every call; "" when no
// usable folder can be found or made.
std::string RuntimeFolder();

} // namespace platform
