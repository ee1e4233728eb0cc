// A configuration that exercises every part of the value: for the tests of the widget-free layers.
#pragma once

#include "Mv100Config.h"

// Varied codes on every layer, macros of all four types, every setting away from its default.
Mv100Config richConfig();
