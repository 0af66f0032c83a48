#include "engine/picture/simple_bitmap.h"

#include "engine/picture/bitmap_files.h"
#include "engine/picture/browser_graphics.h"
#include "engine/picture/method_report.h"
#include "engine/picture/pictures.h"
#include "engine/picture/scaler.h"
#include "engine/xml/browser.h"
#include "engine/xml/geometry_lists.h"
#include "engine/xml/options.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/checked.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/picture.h"
#include "platform/rgbsurface.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace Variables {

namespace {

using platform::RoundInt32;
using platform::TruncInt32;

/// The leading numbers of an entry's fields.
std::vector<double> Fields(const std::string& entry, const std::string& separator) {
    std::vector<double> values;
    for (const std::string& field : platform::Split(entry, separator))
        values.push_back(platform::Val(field));
    return values;
}

struct GridRow {
    const std::vector<std::int32_t>* origin;
    const char* step;
    int width;
    int height;
    int stripOffset;  // rows above the canvas's bottom edge in a shrinking job
};

}  // namespace

void Outdoor_Picture() {
    if (!New_picture)
        throw platform::NilObjectException("no picture to invert");
    std::vector<std::int32_t> invert(256);
    for (int i = 0; i < 256; ++i)
        invert[static_cast<std::size_t>(i)] = 255 - i;
    New_picture->RGBSurface().Transform(invert);
}

void InstallOutdoorPictureStage() {
    OutdoorPictureStage = Outdoor_Picture;
}

namespace {

// The canvas of the job: the input bitmap scaled by the skin's ratios, a strip below it for the
// icon and button grids in a shrinking job, and room for custom visuals that reach past either.
struct CanvasPlan {
    std::int32_t scaledWidth = 0;   // the input bitmap's width scaled
    std::int32_t scaledHeight = 0;  // and its height
    bool shrinking = false;
    long long width = 0;
    long long height = 0;
};

CanvasPlan PlanCanvas(const platform::Picture& source) {
    // A skin of zero width or height has no ratio to scale its bitmap by.
    if (inWidth <= 0 || inHeight <= 0)
        throw platform::OutOfBoundsException("the skin has no width or height");
    CanvasPlan plan;
    const std::int32_t Ws = RoundInt32(static_cast<double>(source.Width()) / inWidth * outWidth);
    const std::int32_t Hs = RoundInt32(static_cast<double>(source.Height()) / inHeight * outHeight);
    plan.scaledWidth = Ws;
    plan.scaledHeight = Hs;

    if (UseExternPicture && (source.Width() != Ws || source.Height() != Hs))
        platform::MsgBox(platform::At(Language::Messages, 50) + RC + std::to_string(Ws) + " x " +
                         std::to_string(Hs));

    plan.shrinking = X_prop < 1 || Y_prop < 1;
    const std::int32_t Hb = plan.shrinking ? Hs + kIconStripRows : Hs;

    std::int32_t Ew = 0;
    std::int32_t Eh = 0;
    for (const std::string& entry : Custom_Visual) {
        const std::vector<double> f = Fields(entry, "*");
        const auto field = [&](std::size_t k) { return k < f.size() ? f[k] : 0.0; };
        const double w = field(0), h = field(1), x = field(2), y = field(3);
        const double nb = field(4), nbx = field(5);
        if (nbx != 0) {
            if (Ws < w * nbx + x)
                Ew = std::max(Ew, TruncInt32(w * nbx + x - Ws));
            else if (Hb < (nb / nbx) * h + y)
                Eh = std::max(Eh, TruncInt32((nb / nbx) * h + y - Hb));
        } else if (Ws < w * nb + x) {
            Ew = std::max(Ew, TruncInt32(w * nb + x - Ws));
        }
        platform::Yield();
    }
    plan.width = static_cast<long long>(Ws) + Ew;
    plan.height = static_cast<long long>(Hb) + Eh;
    return plan;
}

// The whole bitmap, scaled, or the resized picture the user gave in its place. Throws what
// opening and drawing the pictures throw.
void DrawBase(platform::Picture& canvas, const platform::PicturePtr& source,
              const CanvasPlan& plan) {
    const std::int32_t Ws = plan.scaledWidth;
    const std::int32_t Hs = plan.scaledHeight;
    platform::Graphics& g = canvas.Graphics();
    if (UseExternPicture) {
        if (Open_Picture(ExternPictureFile)) {
            if (!BMP_picture)
                throw platform::NilObjectException("the resized picture holds no picture");
            g.DrawPicture(*BMP_picture, 0, 0);
        } else {
            platform::MsgBox("Problem opening the resized picture.");
            // The step goes on without a base image; the black canvas it leaves is no
            // bitmap of this skin and must not be written as one.
            ComposeFailed = true;
        }
        return;
    }
    // A scaled bitmap that covers the whole canvas becomes its pixels (drawing an opaque
    // picture copies it): the canvas lets its own go first, so that two pictures of the output
    // size are never held at once.
    const bool boxFilter = !P_Old_Renderer && (plan.shrinking || (X_prop != 1 && Y_prop != 1));
    const bool covers = canvas.Width() == Ws && canvas.Height() == Hs && !canvas.HasMask() &&
                        (boxFilter || (!source->HasMask() && !source->HasAlpha()));
    if (covers)
        canvas.Image() = QImage();
    try {
        if (boxFilter) {
            const platform::PicturePtr scaled = ScalePicture1(source, Ws, Hs);
            if (!scaled)
                throw platform::NilObjectException("the box filter gave no picture");
            if (covers)
                canvas.Image() = scaled->Image();
            else
                g.DrawPicture(*scaled, 0, 0);
        } else if (covers) {
            canvas.Image() = source->ScaledImage(Ws, Hs);
        } else {
            g.DrawPicture(*source, 0, 0, Ws, Hs, 0, 0, source->Width(), source->Height());
        }
    } catch (...) {
        // The failed step leaves the black canvas it started from.
        if (canvas.Image().isNull()) {
            canvas.Image() = QImage(Ws, Hs, QImage::Format_RGB32);
            canvas.Image().fill(0xFF000000u);
        }
        throw;
    }
}

// The icon and button grids, unscaled: in place in a growing job, in the strip below the
// scaled bitmap in a shrinking one. `step` names the grid being drawn.
void DrawGrids(platform::Picture& canvas, const platform::Picture& source, double X, double Y,
               bool shrinking, std::string& step) {
    const std::int32_t H = canvas.Height();
    platform::Graphics& g = canvas.Graphics();
    std::vector<GridRow> grids;
    if (SkinVersion < 5) {
        grids.push_back({&customicons, "Drawing icons (version prior to 5)", 800, 168, 297});
    } else {
        grids.push_back({&customicons, "Drawing customicons", 128, 128, 297});
        grids.push_back({&custombuttons, "Drawing custombuttons", 612, 168, 168});
    }
    for (const GridRow& grid : grids) {
        const std::int32_t gx = platform::At(*grid.origin, 0);
        const std::int32_t gy = platform::At(*grid.origin, 1);
        if (gy == 0)
            continue;
        step = grid.step;
        const std::int32_t px = RoundInt32(gx * X);
        const std::int32_t py = RoundInt32(gy * Y);
        g.FillRect(px, py, TruncInt32(X * grid.width), TruncInt32(Y * grid.height));
        const int dx = shrinking ? 0 : px;
        const int dy = shrinking ? H - grid.stripOffset : py;
        g.DrawPicture(source, dx, dy, grid.width, grid.height, gx, gy, grid.width, grid.height);
    }
}

void DrawFaders(platform::Graphics& g, const platform::Picture& source, double X, double Y) {
    for (const std::string& entry : Fader) {
        const std::vector<double> f = Fields(entry, " ");
        const auto field = [&](std::size_t k) { return k < f.size() ? f[k] : 0.0; };
        const double x = field(0), y = field(1), w = field(2), h = field(3), nb = field(4);
        const double fw = std::round(w * X);
        const std::int32_t sw = TruncInt32(fw * nb);
        const std::int32_t sh = RoundInt32(h * Y);
        if (sw >= 1 && sh >= 1) {
            // Every one of the nb frames becomes exactly fw pixels wide.
            g.DrawPicture(source, RoundInt32(x * X), RoundInt32(y * Y), sw, sh, TruncInt32(x),
                          TruncInt32(y), TruncInt32(w * nb), TruncInt32(h));
        }
        platform::Yield();
    }
}

void DrawBrowsers(double X, double Y) {
    if (!Browser::Browser_Change ||
        !(Browser::Browser_Color_change || Browser::Browser_Picture_Change))
        return;
    for (std::int32_t i = 0; i < Browser::BrowserCount; ++i) {
        Browser::Change_Browser_Graphics(TruncInt32(platform::At(Browser::Browser_Width, i) * X),
                                         TruncInt32(platform::At(Browser::Browser_Height, i) * Y),
                                         TruncInt32(platform::At(Browser::Browser_X, i) * X),
                                         TruncInt32(platform::At(Browser::Browser_Y, i) * Y));
        platform::Yield();
    }
}

// A failing mask is reported and ends the masks, but not the step: the picture is still saved.
void DrawMasks(JobLog& log, platform::Graphics& g, const platform::Picture& source, double X,
               double Y, const std::string& step) {
    std::string current;
    try {
        for (const std::string& entry : Mask) {
            current = entry;
            const std::vector<double> f = Fields(entry, " ");
            const auto field = [&](std::size_t k) { return k < f.size() ? f[k] : 0.0; };
            const std::int32_t mw = TruncInt32(field(2));
            const std::int32_t mh = TruncInt32(field(3));
            const std::int32_t sw = RoundInt32(mw * X);
            const std::int32_t sh = RoundInt32(mh * Y);
            // A mask that scales to no pixels is skipped like a fader.
            if (mw >= 1 && mh >= 1 && sw >= 1 && sh >= 1)
                g.DrawPicture(source, RoundInt32(field(0) * X), RoundInt32(field(1) * Y), sw, sh,
                              TruncInt32(field(0)), TruncInt32(field(1)), mw, mh);
            platform::Yield();
        }
    } catch (const platform::RuntimeException&) {
        LogException(log, {step, "Mask: " + current});
        platform::MsgBox(
            "An error occured when " + step + ", please retry the process." + RC + RC +
            "Skin Picture will still be saved, you can use it, but some minor graphics "
            "bugs could appear. Please contact me to talk about this error. To contact me, "
            "open the About Window (F1 button).");
    }
}

}  // namespace

void Scale_Picture() {
    JobLog log;
    log.Write("Resizing Picture");
    std::string step;
    // The ratios as the step starts; whatever the stages do, they scale by these.
    const double X = X_prop;
    const double Y = Y_prop;
    try {
        Cleaning();
        const platform::PicturePtr source = BMP_picture;
        if (!source)
            throw platform::NilObjectException("no skin bitmap");
        const CanvasPlan plan = PlanCanvas(*source);
        const platform::PicturePtr canvas = methodreport::NewCanvas(log, plan.width, plan.height);
        if (!canvas)
            return;
        New_picture = canvas;
        const std::int32_t H = canvas->Height();
        platform::Graphics& g = canvas->Graphics();
        g.ForeColor = platform::RGB(0, 0, 0);
        g.FillRect(0, 0, canvas->Width(), H);

        step = "Drawing resized skin";
        DrawBase(*canvas, source, plan);
        DrawGrids(*canvas, *source, X, Y, plan.shrinking, step);
        step = "Taking care of Faders";
        DrawFaders(g, *source, X, Y);
        DrawBrowsers(X, Y);
        if (OutdoorPicture)
            Outdoor_Picture();
        step = "Taking care of Masks";
        DrawMasks(log, g, *source, X, Y, step);

        BMP_picture = canvas;
        log.Write("Picture Saved");
        log.Write("--");
        if (plan.shrinking)
            XML_Job2(H);
    } catch (const platform::FileWriteException& e) {
        ReportWriteFailure(log, e);
        ComposeFailed = true;
    } catch (const platform::RuntimeException&) {
        methodreport::ReportStepFailure(log, step);
    } catch (const std::bad_alloc&) {
        methodreport::ReportStepFailure(log, step);
    }
}

}  // namespace Variables
