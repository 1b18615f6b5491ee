#pragma once

// Registers every skinned class with the layout reader's class registry. The program
// calls it before reading a layout: a static library drops registrations that nothing
// refers to.
void RegisterSkinClasses();
