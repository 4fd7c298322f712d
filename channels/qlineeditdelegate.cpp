#include "qlineeditdelegate.h"
