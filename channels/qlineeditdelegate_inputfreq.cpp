#include "qlineeditdelegate_inputfreq.h"
