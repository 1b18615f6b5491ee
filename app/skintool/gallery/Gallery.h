#pragma once

// `sumwarden-skin gallery LOOK|FILE.skn OUT.png`: paints every skinned control in every
// state offscreen into one labelled picture. Makes its own application object.
int RunGalleryCommand(int argc, char** argv);
