#pragma once
// A GUI-free file that reaches up to a window controller of its own folder.
#include "measure/window.h"
