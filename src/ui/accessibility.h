#pragma once
// What screen readers are told about the window's controls, through Qt's
// accessibility interface; the look of the window does not change.
namespace fifteen {

// Installs the interfaces for the picture controls (buttons, a link and
// pictures with names and press actions) and the text labels. Once per program.
void install_accessibility();

}  // namespace fifteen
