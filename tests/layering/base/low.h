#pragma once
// A base file that reaches up to the application: the layering check must name it.
#include "app/top.h"
