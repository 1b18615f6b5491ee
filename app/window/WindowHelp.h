#pragma once
// The "Help" button's manual: HTML pages with pictures, shown by the desktop's browser.
#include <QString>

// Where the manual's first page is: beside the program (a build), or where an install puts
// it relative to the program; empty when neither holds one.
QString FindManual();

// Opens the manual in the desktop's browser; without a manual or a browser to show it, a
// message box says so.
void OpenManual();
