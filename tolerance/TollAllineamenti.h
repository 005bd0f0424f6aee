// The alignment tolerance: the prolungamento and squadro limits of every row 5 on its row 4.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Dialog.h"

void TollAllineamenti(CWnd* parent, ICarviloDati* host);
