#pragma once
// The source disc's layout as the job keeps it: track starts and lengths from the table of
// contents, the audio and data areas, sessions, and the display times of tracks.
#include "app/BuildJob.h"
#include "settings/ZlxBuildSettings.h"

#include <cstdint>

// Tracks 1 to this; the table of contents has room for 99 and the lead-out.
int TrackCount(const CBuildJob& job);
// Start of track t (1-based); track TrackCount() + 1 is the lead-out.
uint32_t TrackStart(const CBuildJob& job, int track);
// Sectors from the start of track t to the start of the next entry.
uint32_t TrackSectors(const CBuildJob& job, int track);

// Capacity and lead-out made consistent: a DVD's table of contents gets its lead-out from
// the capacity; a CD reporting more than fits on a CD is trusted to its lead-out instead.
void ReconcileCapacity(CBuildJob& job, uint32_t capacityLastSector);

// AudioArea and DataArea from the kind, the table of contents and the sessions.
void SetAreas(CBuildJob& job);
// Audio and data track counts and sector sums.
void CountTracks(CBuildJob& job);

// Session number of the track at index i (0-based); 1 without session details.
int SessionOfTrack(const CBuildJob& job, int trackIndex);
// Playing time of track t in whole seconds, for display.
int TrackSeconds(const CBuildJob& job, int track);

// With the data track of a CD Extra left out by choice, the job starts as a custom disc of
// the audio tracks.
void ApplyCdExtraDefaultOrder(CBuildJob& job, const CZlxBuildSettings& settings);
