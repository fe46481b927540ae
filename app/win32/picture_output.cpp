#include "app/win32/picture_output.h"

#include "app/win32/gdi_objects.h"

#include <objbase.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "app/win32/gdi_surface.h"
#include "app/win32/text_conversion.h"
#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
#include "diagram/svg_surface.h"
#include "station/file_io.h"

namespace {

const char kCaption[] = "Save window content";

// The PNG's resolution (its pHYs chunk): three times the screen's 96 dots
// per inch, so a document places it at the window's size.
constexpr double kPngDotsPerInch = 96.0 * kPngScale;

void ReportFailure(const ProgramContext& program, const std::string& path, const char* reason) {
    std::string text = "The window content could not be saved to '" + path + "'";
    text += reason ? std::string(": ") + reason + "." : ".";
    MessageBoxW(program.main_window, WideFromUtf8(text).c_str(), WideFromUtf8(kCaption).c_str(), MB_ICONINFORMATION);
}

struct ClientSize {
    int width = 0;
    int height = 0;
};

ClientSize DiagramClientSize(ProgramContext& program) {
    RECT client = {0, 0, 0, 0};
    HWND diagram = DiagramWindow(program);
    if (diagram) GetClientRect(diagram, &client);
    return ClientSize{client.right - client.left, client.bottom - client.top};
}

// The display font's metrics on the screen, which the SVG's layout uses as
// the window's does.
TextMetrics ScreenFontMetrics(ProgramContext& program) {
    HDC screen = GetDC(nullptr);
    TextMetrics metrics{8, 16};
    if (!screen) return metrics;
    {
        GdiSurface surface(screen, program.pens);
        surface.SelectFont(program.state.drawing.display_font);
        metrics = surface.MeasureText();
    }
    ReleaseDC(nullptr, screen);
    return metrics;
}

bool SaveSvg(ProgramContext& program, const std::string& path) {
    const ClientSize size = DiagramClientSize(program);
    SvgSurface surface(size.width, size.height, ScreenFontMetrics(program), program.state.drawing.monochrome);
    DrawWindowContent(surface, program.state.drawing, program.state.station,
                      DrawArea{0, 0, size.width, size.height});
    const std::string_view svg = surface.Finish();
    if (SaveBytesReplacing(path, svg.data(), svg.size()) != SaveStatus::ok) {
        ReportFailure(program, path, nullptr);
        return false;
    }
    return true;
}

// A 24-bit top-down DIB section selected into a memory context, white.
class MemoryBitmap {
public:
    MemoryBitmap(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) return;
        bitmap_ = CountedCreateDibSection(dc_, info, &bits_);
        if (!bitmap_) return;
        old_ = SelectObject(dc_, bitmap_);
        PatBlt(dc_, 0, 0, width, height, WHITENESS);
    }
    ~MemoryBitmap() {
        if (old_) SelectObject(dc_, old_);
        CountedDelete(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    bool ok() const { return bits_ != nullptr; }
    HDC dc() const { return dc_; }
    const BYTE* bits() const { return static_cast<const BYTE*>(bits_); }
    // Rows of a DIB are padded to 4 bytes.
    UINT stride() const { return static_cast<UINT>((width_ * 3 + 3) & ~3); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

template <typename T>
void Release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

// The bytes written to a memory stream, from its start to its position.
bool CopyStream(IStream* memory, std::vector<BYTE>& bytes) {
    ULARGE_INTEGER end = {};
    const LARGE_INTEGER zero = {};
    if (FAILED(memory->Seek(zero, STREAM_SEEK_CUR, &end)) || end.QuadPart > 0x7fffffffu) return false;
    HGLOBAL global = nullptr;
    if (FAILED(GetHGlobalFromStream(memory, &global))) return false;
    const BYTE* data = static_cast<const BYTE*>(GlobalLock(global));
    if (!data) return false;
    bytes.assign(data, data + static_cast<std::size_t>(end.QuadPart));
    GlobalUnlock(global);
    return true;
}

// Encodes the bitmap as a 24-bit PNG into `png`, in memory; the reason of
// a failure, or null.
const char* EncodePng(const MemoryBitmap& bitmap, std::vector<BYTE>& png) {
    IWICImagingFactory* factory = nullptr;
    IStream* memory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    const char* failure = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory)))) {
        failure = "the Windows Imaging Component is missing";
    } else if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder))) {
        failure = "the PNG encoder is missing";
    } else if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &memory)) || FAILED(factory->CreateStream(&stream)) ||
               FAILED(stream->InitializeFromIStream(memory))) {
        failure = "no memory for the picture";
    } else if (FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) ||
               FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options)) ||
               FAILED(frame->SetSize(static_cast<UINT>(bitmap.width()), static_cast<UINT>(bitmap.height()))) ||
               FAILED(frame->SetResolution(kPngDotsPerInch, kPngDotsPerInch)) ||
               FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR ||
               FAILED(frame->WritePixels(static_cast<UINT>(bitmap.height()), bitmap.stride(),
                                         bitmap.stride() * static_cast<UINT>(bitmap.height()),
                                         const_cast<BYTE*>(bitmap.bits()))) ||
               FAILED(frame->Commit()) || FAILED(encoder->Commit()) || FAILED(stream->Commit(STGC_DEFAULT))) {
        failure = "the PNG picture could not be written";
    } else if (!CopyStream(memory, png)) {
        failure = "no memory for the picture";
    }
    Release(options);
    Release(frame);
    Release(encoder);
    Release(stream);
    Release(memory);
    Release(factory);
    return failure;
}

// The program's pens s times as wide, with flat ends as the SVG's lines
// have, the dotted pen's dots s times as long: the window's pens enlarged.
class WidePens {
public:
    WidePens(bool monochrome, int s) {
        pens_.thin = Make(PenId::thin, monochrome, s);
        pens_.dotted = Make(PenId::dotted, monochrome, s);
        pens_.thick = Make(PenId::thick, monochrome, s);
        pens_.precip = Make(PenId::precip, monochrome, s);
        pens_.temp = Make(PenId::temp, monochrome, s);
    }
    ~WidePens() {
        for (HPEN pen : {pens_.thin, pens_.dotted, pens_.thick, pens_.precip, pens_.temp}) CountedDelete(pen);
    }
    WidePens(const WidePens&) = delete;
    WidePens& operator=(const WidePens&) = delete;
    const GdiPens& pens() const { return pens_; }

private:
    static HPEN Make(PenId id, bool monochrome, int s) {
        const PenStyle style = StandardPenStyle(id, monochrome);
        const LOGBRUSH brush = {BS_SOLID, style.colour, 0};
        const DWORD dots[2] = {static_cast<DWORD>(2 * s), static_cast<DWORD>(2 * s)};
        const DWORD kind = PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER;
        HPEN pen = CountedExtCreatePen(kind | (style.dotted ? PS_USERSTYLE : PS_SOLID),
                                       static_cast<DWORD>(style.width * s), brush, style.dotted ? 2 : 0,
                                       style.dotted ? dots : nullptr);
        return pen ? pen : CountedCreatePen(style.dotted ? PS_DOT : PS_SOLID, style.width * s, style.colour);
    }
    GdiPens pens_;
};

bool SavePng(ProgramContext& program, const std::string& path) {
    const ClientSize size = DiagramClientSize(program);
    MemoryBitmap bitmap(size.width * kPngScale, size.height * kPngScale);
    if (!bitmap.ok()) {
        ReportFailure(program, path, "no memory for the picture");
        return false;
    }
    const WidePens pens(program.state.drawing.monochrome, kPngScale);
    SelectObject(bitmap.dc(), pens.pens().thin);  // the pen the axes are drawn with
    {
        GdiSurface surface(bitmap.dc(), pens.pens());
        DrawWindowContentScaled(surface, program.state.drawing, program.state.station, size.height, size.width,
                                kPngScale);
    }
    SelectObject(bitmap.dc(), GetStockObject(BLACK_PEN));  // the wide pens can go
    GdiFlush();
    std::vector<BYTE> png;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const char* failure = EncodePng(bitmap, png);
    if (SUCCEEDED(com)) CoUninitialize();
    // Written as every file of the program is: a failed save leaves the
    // file that was there as it was.
    if (!failure && SaveBytesReplacing(path, png.data(), png.size()) != SaveStatus::ok) {
        failure = "the file cannot be written";
    }
    if (failure) {
        ReportFailure(program, path, failure);
        return false;
    }
    return true;
}

}  // namespace

bool SaveWindowPicture(ProgramContext& program, PictureFormat format, const std::string& path) {
    return format == PictureFormat::png ? SavePng(program, path) : SaveSvg(program, path);
}
