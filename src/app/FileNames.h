#pragma once
// Names made from user or service text (image names, track titles) must be usable as
// file names: every character a Windows file name cannot hold becomes a hyphen.
#include <string>

std::string CleanFileName(std::string text);
