#pragma once

#include <QIcon>

namespace tallyfen {

// The window's icon in the small sizes, from the embedded resources.
QIcon applicationIcon();

} // namespace tallyfen
