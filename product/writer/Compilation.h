#pragma once
// The editor's compilations: tracks from several source discs, each in a drive of its own,
// written one after another into one image. The editor hands them over in the store; the
// forms of those values are documented in product/README.md.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct SourceDisc {
    char drive = 0;
    std::string id;                    // the editor's name for the disc, for messages
    std::vector<uint8_t> toc;          // the 804 bytes the editor saw; empty: not checked
    std::vector<int> order;            // the disc's tracks in writing order
    std::map<int, std::string> titles; // by the disc's own track number
};

// A job without a table of contents is the editor's when it runs the wizard for the editor
// (run mode 2 or 3) or names a first source disc.
bool IsCompilation(const std::map<std::string, std::string>& texts);

// Reads CDE<i>_Drive, _ID, _TOC (its raw bytes), _TrackOrder and _TrackName<k> for
// i = 1, 2, ... up to the first disc without a drive, and checks them against
// ZlxBuildEditorNoT when that is given. False with a message when the hand-over cannot be
// built as it stands.
bool ParseCompilation(const std::map<std::string, std::string>& texts,
                      std::vector<SourceDisc>& sources, std::string& error);

// Whether two tables of contents describe the same disc: the same tracks at the same
// places (what lies past the lead-out entry does not count).
bool SameDisc(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
