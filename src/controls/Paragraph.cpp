#include "controls/Paragraph.h"

namespace {
// Lines start this far inside the block and end this far before its right edge.
constexpr int kMargin = 2;
const char kEllipsis[] = "...";

// Line breaks flow into the text as blanks; runs of typed blanks collapse to one, but a
// blank that stands for a line break is kept so "word\n next" still separates.
std::string Normalise(const std::string& text) {
    std::string out;
    char previous = 0;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            out += ' ';
        } else if (c == ' ' && previous == ' ') {
            continue;
        } else {
            out += c;
        }
        previous = c;
    }
    return out;
}
} // namespace

void CParagraph::SetText(const std::string& text) {
    m_text = Normalise(text);
    m_words.clear();
    size_t start = 0;
    for (size_t blank = m_text.find(' '); blank != std::string::npos;
         blank = m_text.find(' ', start)) {
        m_words.push_back(m_text.substr(start, blank + 1 - start));
        start = blank + 1;
    }
    m_words.push_back(m_text.substr(start));
}

// On the current line, or with room for one more line below it.
bool CParagraph::Fits(int x, int y, TextSize size) const {
    return x + size.cx < m_width || y + 2 * size.cy < m_height;
}

int CParagraph::AlignedX(int rightEnd) const {
    switch (m_alignment) {
    case ParagraphAlignment::Centred:
        return (m_width - rightEnd) / 2 + m_x + kMargin;
    case ParagraphAlignment::Right:
        return m_width + m_x - rightEnd - kMargin;
    case ParagraphAlignment::Left:
        break;
    }
    return m_x + kMargin;
}

void CParagraph::WriteLine(ITextCanvas& canvas, int rightEnd, int y,
                           const std::string& line) const {
    if (!line.empty())
        canvas.Write(AlignedX(rightEnd), y + m_y, line);
}

void CParagraph::Draw(ITextCanvas& canvas) const {
    int x = kMargin, y = kMargin;
    std::string line;
    const TextSize ellipsis = canvas.Measure(kEllipsis);
    // The text ends on the current line. The words gathered on it have room, so they are
    // always written; "..." follows when it fits too.
    auto end = [&](const std::string& gathered, int rightEnd) {
        if (Fits(rightEnd, y, ellipsis))
            WriteLine(canvas, rightEnd + ellipsis.cx, y, gathered + kEllipsis);
        else
            WriteLine(canvas, rightEnd, y, gathered);
    };
    for (size_t i = 0; i < m_words.size(); ++i) {
        const std::string& word = m_words[i];
        const TextSize size = canvas.Measure(word);
        if (i + 1 < m_words.size()) {
            // This word and the next fit neither here nor on a further line: the text
            // ends with this word and "..." if that fits, else before this word.
            const TextSize pair{size.cx + canvas.Measure(m_words[i + 1]).cx, size.cy};
            if (!Fits(x, y, pair)) {
                if (Fits(x, y, {size.cx + ellipsis.cx, size.cy}))
                    WriteLine(canvas, x + size.cx + ellipsis.cx, y, line + word + kEllipsis);
                else
                    end(line, x);
                return;
            }
        }
        if (!Fits(x, y, size)) {
            end(line, x);
            return;
        }
        if (x + size.cx > m_width) {
            WriteLine(canvas, x, y, line);
            y += size.cy;
            x = kMargin;
            line.clear();
        }
        line += word;
        x += size.cx;
    }
    WriteLine(canvas, x, y, line);
}
