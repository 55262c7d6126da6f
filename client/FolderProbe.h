// Whether files can be saved in a folder the way this program saves them: a temporary
// file written there and renamed over the old one. A file's own permissions say nothing
// about that (a writable settings file in a folder that cannot be written can still not
// be replaced), so the folder is tried instead.
#pragma once

#include <QString>

namespace FolderProbe {
// Creates two temporary files in `folder`, renames one over the other and removes what
// is left. False when any step fails (no such folder, no right to create or rename).
bool canReplaceFilesIn(const QString &folder);
}  // namespace FolderProbe
