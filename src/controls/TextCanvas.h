#pragma once
// Where laid-out text goes: measured and written by a device context in the program,
// by a fixed-width fake in tests. Keeps text layout free of windows.h.
#include <string>
#include <vector>

struct TextSize {
    int cx = 0;
    int cy = 0;
};

class ITextCanvas {
public:
    virtual ~ITextCanvas() = default;
    virtual TextSize Measure(const std::string& text) = 0;
    virtual void Write(int x, int y, const std::string& text) = 0;
};

// One piece of text as it was written.
struct WrittenText {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const WrittenText& other) const {
        return x == other.x && y == other.y && text == other.text;
    }
};

// Measures with another canvas and keeps what is written instead of drawing it, so a
// layout can be inspected with the fonts it will really be drawn with.
class CTextRecorder : public ITextCanvas {
public:
    explicit CTextRecorder(ITextCanvas& measurer) : m_measurer(measurer) {}
    TextSize Measure(const std::string& text) override { return m_measurer.Measure(text); }
    void Write(int x, int y, const std::string& text) override {
        m_written.push_back({x, y, text});
    }
    const std::vector<WrittenText>& Written() const { return m_written; }

private:
    ITextCanvas& m_measurer;
    std::vector<WrittenText> m_written;
};
