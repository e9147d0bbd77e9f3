#include "tests/windows/test-host/PngFile.h"

#include <windows.h>

namespace testhost {

namespace {

std::uint32_t crcTable[256];

void MakeCrcTable() {
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        crcTable[n] = c;
    }
}

// Writes bytes to the file, keeping the chunk's CRC and the zlib stream's
// Adler-32 running over what it writes.
class PngStream {
public:
    explicit PngStream(HANDLE file) : file(file) {}

    void Bytes(const void* data, std::uint32_t size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        for (std::uint32_t i = 0; i < size; ++i) crc = crcTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
        DWORD written = 0;
        ok = ok && WriteFile(file, data, size, &written, nullptr) != 0 && written == size;
    }
    void Image(const void* data, std::uint32_t size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        for (std::uint32_t i = 0; i < size; ++i) {
            adlerA = (adlerA + bytes[i]) % 65521;
            adlerB = (adlerB + adlerA) % 65521;
        }
        Bytes(data, size);
    }
    void BigEndian(std::uint32_t value) {
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                                       static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
        Bytes(bytes, 4);
    }
    void BeginChunk(const char* type, std::uint32_t length) {
        BigEndian(length);
        crc = 0xFFFFFFFFu;
        Bytes(type, 4);
    }
    void EndChunk() { BigEndian(crc ^ 0xFFFFFFFFu); }
    std::uint32_t Adler() const { return (adlerB << 16) | adlerA; }
    bool Ok() const { return ok; }

private:
    HANDLE file;
    std::uint32_t crc = 0xFFFFFFFFu;
    std::uint32_t adlerA = 1;
    std::uint32_t adlerB = 0;
    bool ok = true;
};

// A row is its filter byte (0, none) and three bytes a pixel; a stored
// deflate block holds at most 65535 bytes and takes one row or more.
constexpr std::uint32_t kStoredBlockMost = 65535;

}  // namespace

bool WritePng(const char* path, const std::uint32_t* pixels, unsigned int width, unsigned int height) {
    const std::uint32_t rowBytes = 1 + 3 * width;
    if (width == 0 || height == 0 || rowBytes > kStoredBlockMost) return false;
    if (crcTable[1] == 0) MakeCrcTable();
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;

    PngStream png(file);
    const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.Bytes(signature, sizeof signature);
    png.BeginChunk("IHDR", 13);
    png.BigEndian(width);
    png.BigEndian(height);
    const std::uint8_t format[5] = {8, 2, 0, 0, 0};  // 8 bits, RGB, deflate, no filter, not interlaced
    png.Bytes(format, sizeof format);
    png.EndChunk();

    const std::uint32_t rowsPerBlock = kStoredBlockMost / rowBytes;
    const std::uint32_t blocks = (height + rowsPerBlock - 1) / rowsPerBlock;
    png.BeginChunk("IDAT", 2 + blocks * 5 + height * rowBytes + 4);
    const std::uint8_t zlibHeader[2] = {0x78, 0x01};
    png.Bytes(zlibHeader, 2);
    static std::uint8_t row[kStoredBlockMost];
    for (std::uint32_t first = 0; first < height; first += rowsPerBlock) {
        const std::uint32_t rows = height - first < rowsPerBlock ? height - first : rowsPerBlock;
        const std::uint32_t size = rows * rowBytes;
        const std::uint8_t header[5] = {static_cast<std::uint8_t>(first + rows == height),
                                        static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                                        static_cast<std::uint8_t>(~size), static_cast<std::uint8_t>(~size >> 8)};
        png.Bytes(header, 5);
        for (std::uint32_t y = first; y < first + rows; ++y) {
            row[0] = 0;
            for (std::uint32_t x = 0; x < width; ++x) {
                const std::uint32_t pixel = pixels[y * width + x];  // 0x00RRGGBB
                row[1 + 3 * x] = static_cast<std::uint8_t>(pixel >> 16);
                row[2 + 3 * x] = static_cast<std::uint8_t>(pixel >> 8);
                row[3 + 3 * x] = static_cast<std::uint8_t>(pixel);
            }
            png.Image(row, rowBytes);
        }
    }
    png.BigEndian(png.Adler());
    png.EndChunk();
    png.BeginChunk("IEND", 0);
    png.EndChunk();
    const bool written = png.Ok();
    CloseHandle(file);
    if (!written) DeleteFileA(path);
    return written;
}

}  // namespace testhost
