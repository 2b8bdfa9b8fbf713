#include "chart/emftarget.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <libEMF/emf.h>
#include <type_traits>
#include <vector>

namespace {

COLORREF ToColorRef(Colour c) {
    return RGB(c.red, c.green, c.blue);
}

std::vector<WCHAR> ToWide(const QString& text) {
    std::vector<WCHAR> wide;
    for (const QChar c : text)
        wide.push_back(static_cast<WCHAR>(c.unicode()));
    wide.push_back(0);
    return wide;
}

// The chart font at the screen's size in whole pixels, as the metafile records it.
QFont AtPixelSize(QFont font, int dpi) {
    font.setPixelSize((std::max)(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72))));
    return font;
}

} // namespace

EmfTarget::EmfTarget(const QFont& font, int dpi)
    : mDpi(dpi), mFont(AtPixelSize(font, dpi)), mFamily(font.family().toStdString()),
      mMetrics(mFont), mTextColour(chartcolour::kBlack) {
    mFile = std::tmpfile();
    if (mFile == nullptr)
        return;
    // The description: the program's name and the picture's, each ended by a NUL, then one more.
    mDc = CreateEnhMetaFileWithFILEA(0, mFile, nullptr, "Granum\0Chart\0");
    if (mDc == 0)
        return;
    SetBkMode(mDc, TRANSPARENT);
    SetTextAlign(mDc, TA_LEFT | TA_TOP | TA_NOUPDATECP);

    SelectFont(mFont.pixelSize());
}

void EmfTarget::SelectFont(int pixelSize) {
    LOGFONTW logFont{};
    logFont.lfHeight = -pixelSize;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_STRING_PRECIS;
    logFont.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH;
    const std::vector<WCHAR> face = ToWide(QString::fromStdString(mFamily));
    std::copy_n(face.begin(), (std::min<std::size_t>)(face.size(), LF_FACESIZE - 1),
                logFont.lfFaceName);
    Replace(mGdiFont, CreateFontIndirectW(&logFont));
}

void EmfTarget::SetTextScale(double scale) {
    QFont font = mFont;
    font.setPixelSize((std::max)(1, static_cast<int>(std::lround(mFont.pixelSize() * scale))));
    mMetrics = QFontMetrics(font);
    SelectFont(font.pixelSize());
}

EmfTarget::~EmfTarget() {
    Close();
}

static_assert(std::is_same_v<HDC, unsigned int> && std::is_same_v<HGDIOBJ, unsigned int>,
              "libEMF handles are expected to be plain integers");

EmfTarget::Handle EmfTarget::Select(Handle object) {
    return SelectObject(mDc, object);
}

void EmfTarget::Replace(Handle& held, Handle object) {
    if (mDc == 0)
        return;
    Select(object);
    if (held != 0)
        DeleteObject(held);
    held = object;
}

QByteArray EmfTarget::Finish(int width, int height) {
    QByteArray bytes = Close();
    // libEMF frames what was drawn with a border of 10 units and scales it for a reference
    // screen of its own (1024 by 768 pixels on 320 by 240 mm); readers size the picture from
    // these fields, so they are set to the picture's own size and resolution.
    constexpr int kBounds = 8;       // inclusive, device units
    constexpr int kFrame = 24;       // inclusive, hundredths of a millimetre
    constexpr int kDevice = 72;      // the reference device in pixels...
    constexpr int kMillimetres = 80; // ...and in millimetres
    constexpr int kMicrometres = 100;
    const auto put = [&bytes](int at, std::initializer_list<std::int32_t> values) {
        for (std::int32_t v : values) {
            std::memcpy(bytes.data() + at, &v, sizeof v);
            at += sizeof v;
        }
    };
    std::int32_t headerSize = 0;
    if (bytes.size() >= kMicrometres)
        std::memcpy(&headerSize, bytes.constData() + 4, sizeof headerSize);
    if (headerSize < kMillimetres + 8)
        return bytes;
    put(kBounds, {0, 0, width - 1, height - 1});
    put(kFrame, {0, 0, static_cast<std::int32_t>(std::lround(width * 2540.0 / mDpi)),
                 static_cast<std::int32_t>(std::lround(height * 2540.0 / mDpi))});
    // A reference device of ten inches square gives the scale exactly.
    put(kDevice, {10 * mDpi, 10 * mDpi});
    put(kMillimetres, {254, 254});
    if (headerSize >= kMicrometres + 8)
        put(kMicrometres, {254000, 254000});
    return bytes;
}

QByteArray EmfTarget::Close() {
    QByteArray bytes;
    if (mDc != 0) {
        // Stock objects back in, so that the ones made here can go.
        Select(GetStockObject(BLACK_PEN));
        Select(GetStockObject(WHITE_BRUSH));
        Select(GetStockObject(SYSTEM_FONT));
        for (Handle object : {mPen, mBrush, mGdiFont})
            if (object != 0)
                DeleteObject(object);
        mPen = mBrush = mGdiFont = 0;
        HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(mDc);
        mDc = 0;
        if (metafile != 0) {
            DeleteEnhMetaFile(metafile);
            std::fflush(mFile);
            const long size = std::ftell(mFile);
            std::rewind(mFile);
            if (size > 0) {
                bytes.resize(size);
                if (std::fread(bytes.data(), 1, static_cast<std::size_t>(size), mFile) !=
                    static_cast<std::size_t>(size))
                    bytes.clear();
            }
        }
    }
    if (mFile != nullptr) {
        std::fclose(mFile);
        mFile = nullptr;
    }
    return bytes;
}

void EmfTarget::SetPen(const Pen& pen) {
    Replace(mPen, CreatePen(PS_SOLID, pen.width, ToColorRef(pen.colour)));
}

void EmfTarget::SetBrush(Colour colour) {
    Replace(mBrush, CreateSolidBrush(ToColorRef(colour)));
}

void EmfTarget::SetTextColour(Colour colour) {
    mTextColour = colour;
    if (mDc != 0)
        SetTextColor(mDc, ToColorRef(colour));
}

Colour EmfTarget::TextColour() const {
    return mTextColour;
}

void EmfTarget::FillRect(const ChartRect& rect, Colour colour) {
    if (mDc == 0)
        return;
    // A rectangle without an outline: libEMF has no FillRect. Without a pen GDI leaves out the
    // right and bottom edges, hence the one more on each.
    const HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    const Handle oldBrush = Select(brush);
    const Handle oldPen = Select(GetStockObject(NULL_PEN));
    Rectangle(mDc, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    Select(oldPen);
    Select(oldBrush);
    DeleteObject(brush);
}

void EmfTarget::Line(DevicePoint from, DevicePoint to) {
    if (mDc == 0)
        return;
    MoveToEx(mDc, from.x, from.y, nullptr);
    LineTo(mDc, to.x, to.y);
}

void EmfTarget::Polygon(const std::vector<DevicePoint>& vertices) {
    if (mDc == 0 || vertices.empty())
        return;
    std::vector<POINT> points;
    for (const DevicePoint& p : vertices)
        points.push_back({p.x, p.y});
    ::Polygon(mDc, points.data(), static_cast<INT>(points.size()));
}

void EmfTarget::Ellipse(DevicePoint centre, int radiusX, int radiusY) {
    if (mDc == 0)
        return;
    const Handle brush = Select(GetStockObject(NULL_BRUSH));
    ::Ellipse(mDc, centre.x - radiusX, centre.y - radiusY, centre.x + radiusX, centre.y + radiusY);
    Select(brush);
}

void EmfTarget::Text(DevicePoint topLeft, const std::string& text) {
    if (mDc == 0 || text.empty())
        return;
    const std::vector<WCHAR> wide = ToWide(QString::fromStdString(text));
    TextOutW(mDc, topLeft.x, topLeft.y, wide.data(), static_cast<INT>(wide.size() - 1));
}

TextSize EmfTarget::MeasureText(const std::string& text) const {
    return {mMetrics.horizontalAdvance(QString::fromStdString(text)), mMetrics.height()};
}
