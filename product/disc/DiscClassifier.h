#pragma once
// The disc-type code a drive library reports: the kind in the low byte and 4096 when the disc
// has more than one session.
#include "disc/DiscImage.h"
#include "source/CdTypeCode.h"

#include <cstdint>

uint16_t ClassifyDisc(CDiscImage& disc);
