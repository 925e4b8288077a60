#include "pictures/png_file.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// `channels` 3 (RGB) or 4 (RGBA) bytes a pixel.
std::vector<uint8_t> encode(int width, int height, const uint8_t* rgb, bool bottomUp, int channels) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || !rgb) return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return out;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return out;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
    for (int y = 0; y < height; ++y) {
        const int source = bottomUp ? height - 1 - y : y;
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(rgb + static_cast<size_t>(source) * rowBytes);
    }
    // libpng reports errors by jumping back here; nothing with a destructor is made after this point.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        out.clear();
        return out;
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

std::vector<uint8_t> encodePng(int width, int height, const uint8_t* rgb, bool bottomUp) {
    return encode(width, height, rgb, bottomUp, 3);
}

std::vector<uint8_t> encodePngWithAlpha(int width, int height, const uint8_t* rgba) {
    return encode(width, height, rgba, false, 4);
}

bool writePngFile(const std::string& path, int width, int height, const uint8_t* rgb, bool bottomUp,
                  std::string* reason) {
    const std::vector<uint8_t> bytes = encodePng(width, height, rgb, bottomUp);
    if (bytes.empty()) {
        if (reason) *reason = "the picture cannot be encoded";
        return false;
    }
    // Written under a name of its own and renamed when whole, so that a full disk or a failed write
    // leaves no half-written picture under the real name.
    const std::string part = path + ".part";
    const int file = open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    int error = file < 0 ? errno : 0;
    for (size_t done = 0; !error && done < bytes.size();) {
        const ssize_t n = write(file, bytes.data() + done, bytes.size() - done);
        if (n > 0) done += static_cast<size_t>(n);
        else if (n == 0) error = EIO;
        else if (errno != EINTR) error = errno;
    }
    if (file >= 0 && close(file) != 0 && !error) error = errno;
    if (!error && rename(part.c_str(), path.c_str()) != 0) error = errno;
    if (!error) return true;
    if (file >= 0) unlink(part.c_str());
    if (reason) *reason = std::strerror(error);
    return false;
}

bool readPngFile(const std::string& path, int* width, int* height, std::vector<uint8_t>* rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb->assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return true;
}
