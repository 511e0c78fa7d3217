#pragma once
// A text canvas on a device context: measures and writes with whatever font, colour and
// background mode the context has selected.
#include "controls/TextCanvas.h"

#include <windows.h>

class CDcTextCanvas : public ITextCanvas {
public:
    explicit CDcTextCanvas(HDC dc) : m_dc(dc) {}
    TextSize Measure(const std::string& text) override;
    void Write(int x, int y, const std::string& text) override;

private:
    HDC m_dc;
};
