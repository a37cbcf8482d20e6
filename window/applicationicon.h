#pragma once

#include <QIcon>

namespace tallyfen {

// The program's icon in every size it is drawn at, from the embedded resources.
QIcon applicationIcon();

} // namespace tallyfen
