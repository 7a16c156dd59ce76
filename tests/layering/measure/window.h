#pragma once
#include "measure/plain.h"
