#pragma once

namespace tallyfen {

// The window names the faces it was designed with; where they are missing, free faces of the
// same kind stand in. Safe to call more than once.
void registerFontStandIns();

} // namespace tallyfen
