#include "platform/draw/image/PngWrite.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Owns a libpng write struct and its info struct together, as libpng frees them together.
class CPngWriter {
public:
    CPngWriter() {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (m_png) {
            m_info = png_create_info_struct(m_png);
        }
    }
    ~CPngWriter() { png_destroy_write_struct(&m_png, &m_info); }
    CPngWriter(const CPngWriter&) = delete;
    CPngWriter& operator=(const CPngWriter&) = delete;

    bool IsValid() const { return m_png && m_info; }
    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }

private:
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

// Runs the libpng calls; libpng reports errors by longjmp, so no C++ object with a destructor
// may live in this frame.
bool EncodeRows(CPngWriter& writer, std::FILE* file, int width, int height, png_bytep* rows) {
    if (setjmp(png_jmpbuf(writer.Png()))) {
        return false;
    }
    png_init_io(writer.Png(), file);
    png_set_IHDR(writer.Png(), writer.Info(), png_uint_32(width), png_uint_32(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer.Png(), writer.Info());
    png_write_image(writer.Png(), rows);
    png_write_end(writer.Png(), nullptr);
    return true;
}

} // namespace

bool WritePngFile(const std::string& path, int width, int height, const std::uint8_t* pixels,
                  int stride, int bytesPerPixel) {
    if (width <= 0 || height <= 0 || !pixels || (bytesPerPixel != 3 && bytesPerPixel != 4) ||
        stride < width * bytesPerPixel) {
        return false;
    }

    // Convert to RGB rows first, so the encoder sees plain rows.
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3 * std::size_t(height));
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels + std::size_t(y) * std::size_t(stride);
        std::uint8_t* dst = rgb.data() + std::size_t(y) * std::size_t(width) * 3;
        for (int x = 0; x < width; ++x, src += bytesPerPixel, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
        rows[std::size_t(y)] = rgb.data() + std::size_t(y) * std::size_t(width) * 3;
    }

    CPngWriter writer;
    if (!writer.IsValid()) {
        return false;
    }
    bool written = false;
    {
        FilePtr file(std::fopen(path.c_str(), "wb"));
        if (!file) {
            return false;
        }
        written = EncodeRows(writer, file.get(), width, height, rows.data());
        // A failed flush or close loses data just like a failed write.
        written = written && std::fflush(file.get()) == 0;
        written = (std::fclose(file.release()) == 0) && written;
    }
    if (!written) {
        std::remove(path.c_str());
    }
    return written;
}
