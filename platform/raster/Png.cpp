// PNG writing and reading through libpng's simplified interface.
#include "platform/raster/Png.h"

#include <cstring>
#include <fstream>
#include <png.h>
#include <stdexcept>

namespace mouldview::raster {
namespace {

std::vector<std::uint8_t> ToRgb(const Bitmap& bitmap) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(bitmap.Width()) *
                                  static_cast<std::size_t>(bitmap.Height()) * 3);
    std::uint8_t* out = rgb.data();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            *out++ = static_cast<std::uint8_t>(row[x] >> 16);
            *out++ = static_cast<std::uint8_t>(row[x] >> 8);
            *out++ = static_cast<std::uint8_t>(row[x]);
        }
    }
    return rgb;
}

png_image MakeImage(const Bitmap& bitmap) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.Width());
    image.height = static_cast<png_uint_32>(bitmap.Height());
    image.format = PNG_FORMAT_RGB;
    return image;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) {
    if (bitmap.IsEmpty())
        throw std::runtime_error("An empty bitmap cannot be stored as a PNG");
    const std::vector<std::uint8_t> rgb = ToRgb(bitmap);
    png_image image = MakeImage(bitmap);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG encoding failed: ") + image.message);
    std::vector<std::uint8_t> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG encoding failed: ") + image.message);
    bytes.resize(size);
    return bytes;
}

void WritePng(const Bitmap& bitmap, const std::string& path) {
    const std::vector<std::uint8_t> bytes = EncodePng(bitmap);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw std::runtime_error("Cannot create " + path);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("Cannot write " + path);
}

Bitmap ReadPng(const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        throw std::runtime_error("Cannot read " + path + ": " + image.message);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error("Cannot read " + path + ": " + image.message);
    }
    Bitmap bitmap(static_cast<int>(image.width), static_cast<int>(image.height));
    const std::uint8_t* in = rgb.data();
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x, in += 3)
            row[x] = MakePixel(in[0], in[1], in[2]);
    }
    return bitmap;
}

} // namespace mouldview::raster
