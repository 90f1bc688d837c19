#pragma once

#include <QString>

namespace corvane::paths {

// Folders of the program's own files. With CORVANE_PROFILE set, all of them sit under that one
// directory (data/, cache/, cloud/), so a test or the demo never touches the user's profile.
QString appData();
// True when appData() is a folder under the shared temporary folder (no home folder).
bool appDataIsTemporary();
QString cache();
// The folder shared with the user's other computers through their own sync tool.
QString cloud();

// Deletes the least recently read files of a folder until it holds `limit` bytes or fewer.
void trimFolder(const QString &folder, qint64 limit);

} // namespace corvane::paths
