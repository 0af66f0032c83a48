#pragma once

#include "kit/text/scroll_model.h"
#include "platform/color.h"
#include "platform/event.h"
#include "platform/picture.h"
#include "platform/widgets/canvas.h"

#include <cstdint>
#include <optional>
#include <string>

/// The kit's scroll bar: a knob sliding along a track, with optional arrow buttons. The knob's
/// pixel position is the state; Value reads it as an integer from Minimum to Maximum. Keys,
/// clicks on the arrows and the track (repeated while the button is held), knob drags and the
/// wheel move it, and ValueChanged tells the window; every assignment of Value raises it,
/// also of the value the bar has.
class Sarvelin : public platform::Canvas {
public:
    using Style = kit::SarvelinStyle;

    explicit Sarvelin(QWidget* parent = nullptr);

    /// While the knob is dragged, raise ValueChanged at every move that changes Value; when
    /// false, once at the release instead.
    bool LiveScroll = false;
    std::int32_t LineStep = 0;
    std::int32_t PageStep = 0;
    Style MyStyle;
    /// The area (Width × Height) the cached look was last adapted to.
    std::int32_t LastSize = 0;
    /// Accepted from layouts; the bar always shows the window behind it.
    platform::Color Backcolor{0, 0, 0};
    bool HasBackcolor = false;
    /// The next paint rebuilds the cached frame, arrows and track.
    bool FullRefresh = false;
    /// Both arrow buttons at the far end, the decreasing one in front.
    bool GroupArrows = false;
    /// The paint draws nothing while set.
    bool Freeze = false;

    std::int32_t Minimum() const noexcept { return m_minimum; }
    /// Stores the end of the range, drops the knob and repaints; the knob keeps its pixel
    /// position, so Value may read differently afterwards. No event.
    void SetMinimum(std::int32_t v);
    std::int32_t Maximum() const noexcept { return m_maximum; }
    void SetMaximum(std::int32_t v);
    std::int32_t Value();
    /// Puts the knob where v lies on the travel (clamped), keeps v unclamped for a later
    /// resize, repaints and raises ValueChanged.
    void SetValue(std::int64_t v);
    bool Arrows() const noexcept { return m_arrows; }
    /// Stores the flag, drops the arrow glyphs and asks for a full rebuild; the knob keeps its
    /// pixel position.
    void SetArrows(bool arrows);
    /// Does nothing; the open handler calls it.
    void AutoUpdate() {}

    platform::Event<void()> ValueChanged;

    /// For tests: the knob's leading edge in pixels, and the cached knob picture.
    double KnobPosition() const noexcept { return RealValue; }
    const platform::Picture* KnobPicture() const noexcept { return m_knob.get(); }

protected:
    void Event_Open() override;
    void Event_Paint(platform::Graphics& g) override;
    bool Event_KeyDown(const std::string& key) override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseDrag(int x, int y) override;
    void Event_MouseUp(int x, int y) override;
    bool Event_MouseWheel(int x, int y, int deltaX, int deltaY) override;
    void Event_GotFocus() override;
    void Event_LostFocus() override;
    void Event_MouseEnter() override;
    void Event_DoubleClick(int, int) override {}

    bool isVertical() const noexcept;
    std::int32_t minRealValue() const noexcept;
    std::int32_t mSize();
    /// The knob picture, made blank for the current range and size when none is cached;
    /// none when Maximum does not exceed Minimum.
    platform::PicturePtr Knob();

    platform::Color GetWindowColor() const;
    void DrawBackground(platform::Graphics& g);
    void DrawTexture(platform::Graphics& g, std::int32_t index);
    /// Paints the knob into `knob` in the normal or the focus colours, and its mask.
    virtual void DrawKnob(platform::Picture& knob, bool focused);
    /// Paints the arrow buttons into the arrow area; nothing when Arrows is false.
    virtual void DrawButtons(platform::Picture& area, bool unused);

    double RealValue = 0;
    std::int32_t Down = 0;
    bool Drag = false;
    std::int64_t LastClickTicks = 0;
    bool FirstDrag = false;
    platform::PicturePtr Background;
    platform::PicturePtr RotatedKnobTexture;
    platform::PicturePtr NormalArrow;
    platform::PicturePtr RotatedArrow;

private:
    static platform::Color TransparentColor(std::int32_t percent);
    kit::ScrollShape Shape() const noexcept;
    std::int32_t Along(int x, int y) const noexcept { return isVertical() ? y : x; }
    void Step(std::int32_t p, bool press);
    bool RebuildBackground();
    void FillTrack(platform::Picture& track);

    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 0;
    platform::PicturePtr m_knob;
    bool m_arrows = false;
    /// Kept in 64 bits: an arrow click at the top of the 32-bit range adds one more.
    std::int64_t m_lastValue = 0;
};
