#pragma once
// Optional record of every store write, for following what the programs hand each other.
// When the environment variable ZL5ENV_JOURNAL names a file, each write appends one line.
#include <string>

class CWriteJournal {
public:
    // Appends `line` and "\n". The file is opened for appending on each call, so lines
    // from several processes land whole and in the order of the calls.
    static void Append(const std::string& line);
};
