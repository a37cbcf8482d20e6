#pragma once

#include <memory>

namespace tallyfen {

class frmTallyfen;

// Everything start-up does once the application object exists: names the program to the
// desktop as its desktop entry does, gives it its icon and faces, and shows the window in the
// middle of the screen (in a web page, without a frame of its own).
std::unique_ptr<frmTallyfen> startUp();

} // namespace tallyfen
