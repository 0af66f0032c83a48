#include "windows/info/info_drawing.h"

#include "platform/graphics.h"
#include "platform/widgets/window.h"

namespace InfoDrawing {

void SetFixedContentSize(platform::Window& window, int width, int height) {
    // Minimum and maximum first, so that the new geometry is not clamped to the old size.
    window.setFixedSize(width, height);
    window.SetWidth(width);
    window.SetHeight(height);
}

void DrawNoteIcon(platform::Graphics& g, int x, int y) {
    // A speech-bubble note: a round white face with a grey rim and an "i".
    const platform::Color ink = g.ForeColor;
    g.ForeColor = {0xFF, 0xFF, 0xFF};
    g.FillOval(x + 1, y + 1, 30, 30);
    g.ForeColor = {0x80, 0x80, 0x80};
    g.DrawOval(x + 1, y + 1, 30, 30);
    g.ForeColor = {0x20, 0x50, 0xA0};
    g.FillOval(x + 14, y + 7, 4, 4);
    g.FillRect(x + 14, y + 13, 4, 12);
    g.ForeColor = ink;
}

}  // namespace InfoDrawing
