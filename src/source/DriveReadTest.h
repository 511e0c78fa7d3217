#pragma once
// Finds out which read commands the source drive supports for data, raw and audio sectors
// and for sub-channel data; the results become the job's read options for the writer.
#include "app/BuildJob.h"
#include "source/DriveLibrary.h"
#include "source/DriveModelCache.h"
#include "source/SectorRead.h"

#include <array>
#include <functional>

constexpr int kTestPositions = 5;

// Single-sector test positions spread over the upper part of an area: one eighth of its
// size apart, from one step below its last sector downwards.
std::array<uint32_t, kTestPositions> TestPositions(SectorRange area);

DriveReadAbilities AbilitiesOf(const CBuildJob& job);
void ApplyAbilities(const DriveReadAbilities& abilities, CBuildJob& job);

class CDriveReadTest {
public:
    CDriveReadTest(IDriveLibrary& drives, CDriveModelCache& cache)
        : m_drives(drives), m_cache(cache) {}
    // Needs the job's kind, last sector and areas; fills its read abilities and methods.
    void Run(CBuildJob& job);

private:
    using SectorRead = std::function<bool(uint32_t sector)>;
    // True at the first position that reads; a test stops there.
    static bool AnyPositionReads(SectorRange area, const SectorRead& read);
    bool TakeCachedResult(CBuildJob& job, const std::string& model);
    void TestReadCd(CBuildJob& job);
    void TestDataReads(CBuildJob& job);
    void TestRawDataByBlockSize(CBuildJob& job);
    void TestAudioReads(CBuildJob& job);
    // A read is good only when it returns every byte asked for.
    SectorRead Reader(char letter, uint32_t bytes, SectorReadCall read);

    IDriveLibrary& m_drives;
    CDriveModelCache& m_cache;
};
