// The station distance tolerance: stations that observed each other must agree on their distance.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Dialog.h"

void TollDistStazioni(CWnd* parent, ICarviloDati* host);
