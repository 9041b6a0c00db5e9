#pragma once

#include "store/ProgressSteps.h"

class QProgressBar;

// Progress shown on the bar: its range and its value, held within the range. A null bar shows nothing.
Progress ProgressOnBar(QProgressBar *bar);
