#pragma once
// Work the analysis hands to other parts of the program at its end. Until those parts are
// wired in, the defaults do nothing.
class CBuildJob;

// Album and track titles for the analysed disc; the job already holds a fresh, empty
// album information object when this runs.
class IAlbumLookup {
public:
    virtual ~IAlbumLookup() = default;
    virtual void LoadAlbumInfo(CBuildJob& job) = 0;
};

// The Quick Copy file that matches the analysed disc, so the copy method page can offer it.
class IQuickCopyDefault {
public:
    virtual ~IQuickCopyDefault() = default;
    virtual void Prepare(CBuildJob& job) = 0;
};

class CNoAlbumLookup : public IAlbumLookup {
public:
    void LoadAlbumInfo(CBuildJob&) override {}
};

class CNoQuickCopyDefault : public IQuickCopyDefault {
public:
    void Prepare(CBuildJob&) override {}
};

// Shared stateless instances for callers that have nothing to plug in.
inline IAlbumLookup& NoAlbumLookup() {
    static CNoAlbumLookup none;
    return none;
}
inline IQuickCopyDefault& NoQuickCopyDefault() {
    static CNoQuickCopyDefault none;
    return none;
}
