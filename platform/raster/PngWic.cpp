// PNG writing and reading on Windows through the Windows Imaging Component, which every Windows
// has since Vista: 8-bit RGB, no alpha, as the Linux backend writes.
#include "platform/raster/Png.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/OutputFile.h"

#include <filesystem>
#include <wincodec.h>
#include <windows.h>

namespace mouldview::raster {
namespace {

// A COM interface pointer released when it goes.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (m_pointer != nullptr)
            m_pointer->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface* operator->() const { return m_pointer; }
    Interface* Get() const { return m_pointer; }
    Interface** Out() { return &m_pointer; }

private:
    Interface* m_pointer = nullptr;
};

void Check(HRESULT result, const char* what) {
    if (FAILED(result))
        throw runtime::ERunError(std::string(what) + " failed (HRESULT " +
                                 std::to_string(static_cast<unsigned long>(result)) + ")");
}

// COM for the calling thread, for as long as the object lives. A thread that already has COM in
// another threading model keeps it; the imaging objects work in either.
class ComScope {
public:
    ComScope() : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComScope() {
        if (m_initialised)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_initialised;
};

void CreateFactory(ComPtr<IWICImagingFactory>& factory) {
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           reinterpret_cast<void**>(factory.Out())),
          "Creating the imaging factory");
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) {
    if (bitmap.IsEmpty())
        throw runtime::ERunError("An empty bitmap cannot be stored as a PNG");
    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    CreateFactory(factory);
    ComPtr<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()), "PNG encoding: a memory stream");
    ComPtr<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out()), "PNG encoding");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "PNG encoding");
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.Out(), options.Out()), "PNG encoding: a frame");
    Check(frame->Initialize(options.Get()), "PNG encoding: a frame");
    const auto width = static_cast<UINT>(bitmap.Width());
    const auto height = static_cast<UINT>(bitmap.Height());
    Check(frame->SetSize(width, height), "PNG encoding: the size");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "PNG encoding: the pixel format");
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        throw runtime::ERunError("PNG encoding: 24-bit pixels are not accepted");

    // Pixels are 0x00RRGGBB words, that is B, G, R, 0 in memory; the encoder takes B, G, R.
    const UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> rows(static_cast<std::size_t>(stride) * height);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* pixels = bitmap.Row(y);
        BYTE* out = rows.data() + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            *out++ = static_cast<BYTE>(pixels[x]);
            *out++ = static_cast<BYTE>(pixels[x] >> 8);
            *out++ = static_cast<BYTE>(pixels[x] >> 16);
        }
    }
    Check(frame->WritePixels(height, stride, static_cast<UINT>(rows.size()), rows.data()),
          "PNG encoding: the pixels");
    Check(frame->Commit(), "PNG encoding: the frame");
    Check(encoder->Commit(), "PNG encoding");

    STATSTG status{};
    Check(stream->Stat(&status, STATFLAG_NONAME), "PNG encoding: the stream size");
    HGLOBAL memory = nullptr;
    Check(GetHGlobalFromStream(stream.Get(), &memory), "PNG encoding: the stream memory");
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (bytes == nullptr)
        throw runtime::ERunError("PNG encoding: the stream memory cannot be read");
    std::vector<std::uint8_t> png(bytes, bytes + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return png;
}

void WritePng(const Bitmap& bitmap, const std::string& path) {
    const std::vector<std::uint8_t> bytes = EncodePng(bitmap);
    runtime::WriteOutputFile(path,
                             [&bytes](std::FILE* file) { std::fwrite(bytes.data(), 1, bytes.size(), file); });
}

Bitmap ReadPng(const std::string& path) {
    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    CreateFactory(factory);
    ComPtr<IWICBitmapDecoder> decoder;
    const std::wstring widePath = PathOf(path).wstring();
    if (FAILED(factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Out())))
        throw runtime::ERunError("Cannot read " + path);
    GUID container{};
    if (FAILED(decoder->GetContainerFormat(&container)) || !IsEqualGUID(container, GUID_ContainerFormatPng))
        throw runtime::ERunError("Cannot read " + path + ": not a PNG");
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Out()), "PNG decoding");
    ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Out()), "PNG decoding");
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr,
                                0.0, WICBitmapPaletteTypeCustom),
          "PNG decoding: converting the pixels");
    UINT width = 0;
    UINT height = 0;
    Check(converter->GetSize(&width, &height), "PNG decoding");
    const UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> rows(static_cast<std::size_t>(stride) * height);
    Check(converter->CopyPixels(nullptr, stride, static_cast<UINT>(rows.size()), rows.data()),
          "PNG decoding");
    Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.Row(y);
        const BYTE* in = rows.data() + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y);
        for (int x = 0; x < bitmap.Width(); ++x, in += 3)
            row[x] = MakePixel(in[2], in[1], in[0]);
    }
    return bitmap;
}

} // namespace mouldview::raster
