#pragma once
// The build job the analysis makes of a disc image in a drive that reads whole sectors with
// READ CD: kind, table of contents, sessions, capacity, areas, track counts and read options.
#include "app/BuildJob.h"
#include "disc/DiscImage.h"

#include <vector>

void SetUpJob(CDiscImage& disc, CBuildJob& job);

// The sectors the job counts as data sectors, one range per data track.
std::vector<SectorRange> DataTrackRanges(const CBuildJob& job);
