// Collection templates (added as the library needs them).
#pragma once
#include "afx.h"
