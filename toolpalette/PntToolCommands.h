// Command ids of the tool palette's slots, defined with the paint control's tools.
#pragma once
#include "paint/PntToolCommands.h"
