#pragma once

#include <array>
#include <judgement.h>

class QPushButton;

namespace tallyfen {

class CountBox;
class ResultAnnouncement;

// The window's controls as a host that mirrors them with controls of its own sees them (a web
// page gives each a page element that phones and screen readers can reach). The boxes and then
// the buttons are in the window's Tab order.
struct ControlsToMirror
{
    std::array<CountBox*, judgementCount> countBoxes;
    std::array<QPushButton*, 2> buttons;
    const ResultAnnouncement* resultAnnouncement;
};

} // namespace tallyfen
