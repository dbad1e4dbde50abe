#pragma once

#include <string>
#include <string_view>

namespace marv {

// Rewrites the regular file `file` with `text`, keeping the file itself: its inode, its other
// names, its mode, owner and attributes. The new length is reserved before any byte changes; if
// the text cannot be written whole (a size limit, a full disk, a quota, an I/O error), the bytes
// already written are put back from a copy of the old ones and the old length is restored, so
// the file ends as it was. From reading the old bytes to the last flush it holds an exclusive
// lock on the file, so that two such writes never mix; where the file system has no locks it goes
// on without. Returns 0, kLockedByAnotherWriter when another holder kept the lock for
// kInPlaceLockWaitMs (the file untouched), or the error that stopped it.
int rewriteInPlace(const std::string& file, std::string_view text);

inline constexpr int kLockedByAnotherWriter = -1;
inline constexpr int kInPlaceLockWaitMs = 2000;

}  // namespace marv
