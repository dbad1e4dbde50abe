#pragma once

#include <string>
#include <string_view>

namespace marv {

// Rewrites the regular file `file` with `text`, keeping the file itself: its inode, its other
// names, its mode, owner and attributes. The new length is reserved before any byte changes; if
// the text cannot be written whole (a size limit, a full disk, a quota, an I/O error), the bytes
// already written are put back from a copy of the old ones and the old length is restored, so
// the file ends as it was. Returns 0, or the error that stopped it.
int rewriteInPlace(const std::string& file, std::string_view text);

}  // namespace marv
