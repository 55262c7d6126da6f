// Folders that only this user can write, for the files other users must not plant or
// change: the word list, the single-instance guard's lock and socket, the marker.
//
// The user's runtime folder (XDG_RUNTIME_DIR) is private by design; without one, the
// shared temporary folder is not used as it is, but a folder of our own inside it,
// "quarn-<uid>", created with mode 0700. A folder of that name that another user made
// first, or that others can write, or that is a link, is refused rather than used.
#pragma once

#include <QString>

namespace PrivateFolder {
// True when `folder` is a folder (not a link) that belongs to this user and that nobody
// else may write in (no write permission for group or others).
bool isPrivate(const QString &folder);

// True when nobody but this user and the administrator can add, remove or rename files
// in `folder` (its owner is one of the two and group and others may not write).
bool onlyOwnerWrites(const QString &folder);

// "<parent>/quarn-<uid>", created with mode 0700 when missing; empty (with a warning)
// when it cannot be created or is refused.
QString inside(const QString &parent);

// XDG_RUNTIME_DIR when set and private, else inside(the temporary folder); empty when
// neither can be had.
QString runtimeFolder();
}  // namespace PrivateFolder
