#pragma once

#include "radiodata.h"

// What the pages store: the image the main window builds after loading
// `image`, each page decoding its bytes and storing them again into an
// image filled with 0xFF. Header FF FF FF FF, bytes no page owns 0xFF, at
// most maxRows channel records (ChanNum), codes outside their lists stored
// as 0, DTMF codes cut at the first byte above 0x0F, FM words outside
// 650..1080 dropped.
RadioData_S NormaliseImage(const RadioData_S &image, int maxRows);
