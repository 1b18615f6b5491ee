#pragma once

// The control classes of the framework, for code that uses several of them.
#include "framework/controls/BaseControl.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/WinControl.h"
