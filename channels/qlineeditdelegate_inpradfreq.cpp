#include "qlineeditdelegate_inpradfreq.h"
