#include "kit/base/control_drawing.h"

#include "kit/base/pellivor.h"
#include "platform/graphics.h"
#include "platform/widgets/control.h"
#include "platform/widgets/window.h"

#include <QByteArray>
#include <QImage>

#include <string>

namespace kit {

platform::Color ToGray(platform::Color c) noexcept {
    const double v = 0.2989 * c.r + 0.587 * c.g + 0.114 * c.b;
    const int level = static_cast<int>(v);
    return platform::RGB(level, level, level);
}

platform::PicturePtr NewPictureOrNone(std::int32_t w, std::int32_t h) {
    if (w < 1 || h < 1)
        return nullptr;
    return platform::Picture::New(w, h);
}

void FillByKind(platform::Graphics& g, std::int32_t kind, platform::Color c1, platform::Color c2,
                const std::function<void(platform::Graphics&)>& texture) {
    switch (kind) {
        case 1:
            g.ForeColor = c1;
            g.FillRect(0, 0, g.Width(), g.Height());
            break;
        case 2:
        case 3:
            Pellivor::gradient(g, 0, 0, g.Width(), g.Height(), c1, c2, kind == 2);
            break;
        case 4:
            texture(g);
            break;
        default:
            break;
    }
}

platform::Color WindowColorOf(const platform::Control& control) {
    const platform::Window* window = control.TrueWindow();
    if (window && window->HasBackColor())
        return window->BackColor();
    return kWindowGrey;
}

Backdrop BackdropOf(const platform::Control& control, bool hasBackcolor,
                    platform::Color backcolor) {
    Backdrop backdrop;
    backdrop.hasBackcolor = hasBackcolor;
    backdrop.backcolor = backcolor;
    backdrop.windowColor = WindowColorOf(control);
    if (const platform::Window* window = control.TrueWindow())
        backdrop.picture = window->Backdrop().get();
    backdrop.left = control.Left();
    backdrop.top = control.Top();
    backdrop.width = control.Width();
    backdrop.height = control.Height();
    return backdrop;
}

bool DrawsEnabled(const platform::Control& control) {
    if (!control.Enabled())
        return false;
    const platform::Control* parent = control.Parent();
    return !parent || parent->Enabled();
}

void DrawControlBackground(platform::Graphics& g, const Backdrop& backdrop) {
    if (backdrop.hasBackcolor) {
        g.ForeColor = backdrop.backcolor;
        g.FillRect(0, 0, g.Width(), g.Height());
        return;
    }
    g.ForeColor = backdrop.windowColor;
    g.FillRect(0, 0, g.Width(), g.Height());
    const platform::Picture* picture = backdrop.picture;
    if (picture && backdrop.left < picture->Width() && backdrop.top < picture->Height()) {
        g.DrawPicture(*picture, 0, 0, backdrop.width, backdrop.height, backdrop.left, backdrop.top,
                      backdrop.width, backdrop.height);
    }
}

platform::PicturePtr GreyCopy(const platform::Picture& picture) {
    auto grey = platform::Picture::New(picture.Width(), picture.Height());
    const QImage& source = picture.Image();
    QImage& target = grey->Image();
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            // pixel() gives the colour as stored, so a transparent pixel greys whatever
            // colour it holds.
            const QRgb rgb = source.pixel(x, y);
            const platform::Color c = ToGray(platform::RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)));
            target.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    }
    return grey;
}

void DrawTextureFill(platform::Graphics& g, const platform::Picture* texture, bool greyed) {
    if (!texture)
        return;
    platform::PicturePtr grey;
    if (greyed) {
        grey = GreyCopy(*texture);
        texture = grey.get();
    }
    const int tw = texture->Width();
    const int th = texture->Height();
    if (tw >= g.Width() && th >= g.Height()) {
        g.DrawPicture(*texture, 0, 0);
        return;
    }
    for (int y = 0; y <= g.Height(); y += th) {
        for (int x = 0; x <= g.Width(); x += tw)
            g.DrawPicture(*texture, x, y);
    }
}

platform::PicturePtr StringToPicture(std::string_view base64) {
    std::string clean;
    clean.reserve(base64.size());
    for (char ch : base64) {
        if (ch != '\r' && ch != '\n')
            clean.push_back(ch);
    }
    const auto decoded = QByteArray::fromBase64Encoding(
        QByteArray(clean.data(), static_cast<qsizetype>(clean.size())),
        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return nullptr;
    const QByteArray& bytes = decoded.decoded;
    return platform::Picture::FromData(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace kit
