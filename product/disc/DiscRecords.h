#pragma once
// The records a drive library hands out about a disc: the table of contents, the session
// list and the multisession record that only this library takes apart again.
#include "disc/DiscLayout.h"
#include "source/DriveTypes.h"

void BuildToc(const CDiscLayout& layout, _CDROM_TOC& toc);
void BuildSessionDetails(const CDiscLayout& layout, SESSIONS_DETAILS& details);

// The multisession record starts like a drive's session-info answer (READ TOC format 1: data
// length, first and last session, then the descriptor of the last session's first track),
// followed by "ZLMS", a session count and 11-byte session entries in little-endian order.
void BuildMultiSessionInfo(const CDiscLayout& layout, MULTISESSION_INFO& info);
// False for a record this library did not write.
bool SessionDetailsFromInfo(const MULTISESSION_INFO& info, SESSIONS_DETAILS& details);
