#pragma once
#include <QString>

namespace AppFolders {
// The per-user application-support folder: "ZOVA ID Card" under the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share). Not created here.
QString applicationSupportFolder();
// The resource folder: $ZOVA_RESOURCES when set, else "resources" beside the executable's folder
// (build tree) or share/zova-idcard/resources (install tree).
QString resourceFolder();
}  // namespace AppFolders
