#pragma once

namespace platform {
class Graphics;
class Window;
}  // namespace platform

/// Small window services that the information windows share.
namespace InfoDrawing {

/// Gives `window` a content area of width × height that the user cannot resize.
void SetFixedContentSize(platform::Window& window, int width, int height);

/// The system's note icon, 32 × 32, with its top left at (x, y).
void DrawNoteIcon(platform::Graphics& g, int x, int y);

}  // namespace InfoDrawing
