#include "platform/headless/picture_file.h"
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};
typedef std::unique_ptr<FILE, FileCloser> File;

uint32_t Le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void PutLe(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutBe32(std::string& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
    File f(fopen(path.c_str(), "wb"));
    if (!f || fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) return false;
    return fclose(f.release()) == 0;
}

const uint32_t* CrcTable() {
    static const struct Table {
        uint32_t entries[256];
        Table() {
            for (uint32_t n = 0; n < 256; ++n) {
                uint32_t c = n;
                for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                entries[n] = c;
            }
        }
    } table;
    return table.entries;
}

uint32_t Crc32(const std::string& bytes, size_t from) {
    const uint32_t* table = CrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) c = table[(c ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
    PutBe32(png, static_cast<uint32_t>(data.size()));
    size_t start = png.size();
    png += type;
    png += data;
    PutBe32(png, Crc32(png, start));
}

}  // namespace

Picture BlankPicture(int width, int height, uint32_t colour) {
    Picture p;
    p.width = width > 0 ? width : 0;
    p.height = height > 0 ? height : 0;
    p.pixels.assign(static_cast<size_t>(p.width) * p.height, colour);
    return p;
}

bool ReadBmpFile(const std::string& path, Picture& picture, std::string* error) {
    File f(fopen(path.c_str(), "rb"));
    if (!f) return Fail(error, "cannot open " + path);
    std::string bytes;
    char chunk[65536];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, f.get())) > 0;) bytes.append(chunk, n);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < 54 || b[0] != 'B' || b[1] != 'M') return Fail(error, "not a BMP file");
    uint32_t offset = Le32(b + 10), headerSize = Le32(b + 14);
    int32_t width = static_cast<int32_t>(Le32(b + 18)), height = static_cast<int32_t>(Le32(b + 22));
    int bits = Le16(b + 28);
    uint32_t compression = Le32(b + 30);
    if (headerSize < 40 || (bits != 24 && bits != 32) || compression != 0)
        return Fail(error, "only uncompressed 24-bit and 32-bit BMP files are read");
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) return Fail(error, "bad BMP size");
    size_t stride = ((static_cast<size_t>(width) * bits / 8) + 3) & ~static_cast<size_t>(3);
    if (offset > bytes.size() || stride * height > bytes.size() - offset) return Fail(error, "BMP file is cut short");
    picture = BlankPicture(width, height, 0);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = b + offset + stride * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = row + x * (bits / 8);
            picture.pixels[static_cast<size_t>(y) * width + x] = px[2] | (px[1] << 8) | (px[0] << 16);
        }
    }
    return true;
}

bool WriteBmpFile(const std::string& path, const Picture& picture) {
    uint32_t stride = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    uint32_t imageSize = stride * picture.height;
    std::string out = "BM";
    PutLe(out, 54 + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, picture.width, 4);
    PutLe(out, picture.height, 4);  // positive: bottom-up rows
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);  // uncompressed
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4);  // 72 dpi
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < picture.width; ++x) {
            uint32_t c = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            out += static_cast<char>((c >> 16) & 0xFF);
            out += static_cast<char>((c >> 8) & 0xFF);
            out += static_cast<char>(c & 0xFF);
        }
        out.append(stride - (out.size() - start), '\0');
    }
    return WriteAll(path, out);
}

bool WritePngFile(const std::string& path, const Picture& picture) {
    std::string raw;  // each row: filter type 0, then R G B
    raw.reserve((static_cast<size_t>(picture.width) * 3 + 1) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        raw += '\0';
        for (int x = 0; x < picture.width; ++x) {
            uint32_t c = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            raw += static_cast<char>(c & 0xFF);
            raw += static_cast<char>((c >> 8) & 0xFF);
            raw += static_cast<char>((c >> 16) & 0xFF);
        }
    }
    std::string zlib = "\x78\x01";
    size_t done = 0;
    do {
        size_t n = raw.size() - done < 65535 ? raw.size() - done : 65535;
        zlib += static_cast<char>(done + n == raw.size() ? 1 : 0);  // stored block, final or not
        PutLe(zlib, static_cast<uint32_t>(n), 2);
        PutLe(zlib, static_cast<uint32_t>(~n & 0xFFFF), 2);
        zlib.append(raw, done, n);
        done += n;
    } while (done < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(zlib, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBe32(header, picture.width);
    PutBe32(header, picture.height);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", "");
    return WriteAll(path, png);
}

Picture StretchPicture(const Picture& from, int width, int height) {
    Picture to = BlankPicture(width, height, 0);
    if (from.width <= 0 || from.height <= 0) return to;
    for (int y = 0; y < to.height; ++y) {
        int y0 = static_cast<int>(static_cast<int64_t>(y) * from.height / to.height);
        int y1 = static_cast<int>(static_cast<int64_t>(y + 1) * from.height / to.height);
        if (y1 <= y0) y1 = y0 + 1;
        for (int x = 0; x < to.width; ++x) {
            int x0 = static_cast<int>(static_cast<int64_t>(x) * from.width / to.width);
            int x1 = static_cast<int>(static_cast<int64_t>(x + 1) * from.width / to.width);
            if (x1 <= x0) x1 = x0 + 1;
            uint64_t r = 0, g = 0, bl = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    uint32_t c = from.pixels[static_cast<size_t>(sy) * from.width + sx];
                    r += c & 0xFF;
                    g += (c >> 8) & 0xFF;
                    bl += (c >> 16) & 0xFF;
                    ++n;
                }
            to.pixels[static_cast<size_t>(y) * to.width + x] =
                static_cast<uint32_t>((r + n / 2) / n | ((g + n / 2) / n) << 8 | ((bl + n / 2) / n) << 16);
        }
    }
    return to;
}
