#pragma once
// A word-wrapped block of text: as many lines as the block holds, ending with "..."
// when the text does not fit. Laid out against any text canvas.
#include "controls/TextCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

enum class ParagraphAlignment { Left = 0, Centred = 1, Right = 2 };

class CParagraph {
public:
    void SetText(const std::string& text);
    void SetAlignment(ParagraphAlignment alignment) { m_alignment = alignment; }
    void SetPosition(int x, int y) {
        m_x = static_cast<uint16_t>(x);
        m_y = static_cast<uint16_t>(y);
    }
    void SetWidth(int width) { m_width = static_cast<uint16_t>(width); }
    void SetHeight(int height) { m_height = static_cast<uint16_t>(height); }
    // Writes the lines with the canvas's current font.
    void Draw(ITextCanvas& canvas) const;

    const std::string& Text() const { return m_text; }
    // Each word keeps its trailing blank; the last one may be empty.
    const std::vector<std::string>& Words() const { return m_words; }

private:
    bool Fits(int x, int y, TextSize size) const;
    int AlignedX(int rightEnd) const;
    void WriteLine(ITextCanvas& canvas, int rightEnd, int y, const std::string& line) const;

    ParagraphAlignment m_alignment = ParagraphAlignment::Left;
    std::vector<std::string> m_words;
    std::string m_text;
    uint16_t m_x = 0, m_y = 0, m_width = 0, m_height = 0;
};
