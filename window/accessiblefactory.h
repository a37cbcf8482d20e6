#pragma once

namespace tallyfen {

// Gives the window and its count boxes the accessible interfaces that screen readers need:
// the window as a window (Qt exposes a plain top-level widget as a filler), the boxes with their
// text read whole. Installing it again changes nothing.
void installAccessibleFactory();

} // namespace tallyfen
