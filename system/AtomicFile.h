#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Gives the file `bytes` as its contents so that neither a reader nor a crash
// ever sees it half written: the bytes go to a new hidden file in the same
// folder, reach the disk, and that file then takes the old one's name.
// Through a link, the file it points to is replaced and the link stays. An
// existing file keeps its permissions, a new one gets 0666 less the umask; a
// file the user may not write to is left alone. Returns 0 or the system's
// error number; after a failure the old file is as it was and no temporary
// file is left behind.
int ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace quorvane
