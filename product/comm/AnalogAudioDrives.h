#pragma once
// Which of the product's virtual drives play their audio tracks through the analog path.
// No drive is configured that way yet: the emulated drives that can be are still to come,
// and their configuration will answer here.
class CAnalogAudioDrives {
public:
    bool IsAnalog(char /*letter*/) const { return false; }
};
