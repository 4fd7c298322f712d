#include "qcomboboxdelegate.h"
