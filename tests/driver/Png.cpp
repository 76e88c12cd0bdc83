// A small PNG writer: adaptive row filters and a deflate stream with LZ77 matches
// and the fixed Huffman codes. Screenshots of dialogs are mostly flat colour, so
// this gets within a small factor of a full encoder at a fraction of the code.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Picture.h"

namespace tkt {
namespace {

// Deflate writes bits from the least significant end of each byte.
class BitWriter {
public:
    void Bits(uint32_t value, int count) {
        m_buffer |= static_cast<uint64_t>(value) << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_out.push_back(static_cast<uint8_t>(m_buffer));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    // Huffman codes go most significant bit first.
    void Code(uint32_t code, int length) {
        uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
        Bits(reversed, length);
    }
    std::vector<uint8_t> Finish() {
        if (m_count > 0) m_out.push_back(static_cast<uint8_t>(m_buffer));
        m_buffer = 0;
        m_count = 0;
        return std::move(m_out);
    }

private:
    std::vector<uint8_t> m_out;
    uint64_t m_buffer = 0;
    int m_count = 0;
};

const int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                               193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void WriteSymbol(BitWriter& out, int symbol) {
    if (symbol < 144) {
        out.Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        out.Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        out.Code(symbol - 256, 7);
    } else {
        out.Code(0xC0 + symbol - 280, 8);
    }
}

void WriteMatch(BitWriter& out, int length, int distance) {
    int code = 28;
    while (kLengthBase[code] > length) --code;
    WriteSymbol(out, 257 + code);
    out.Bits(static_cast<uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
    int slot = 29;
    while (kDistanceBase[slot] > distance) --slot;
    out.Code(static_cast<uint32_t>(slot), 5);
    out.Bits(static_cast<uint32_t>(distance - kDistanceBase[slot]), kDistanceExtra[slot]);
}

// One fixed-Huffman block with greedy matches found through hash chains.
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data) {
    const size_t kWindow = 32768, kMaxLength = 258;
    const int kHashBits = 15, kMaxChain = 64;
    const size_t n = data.size();
    std::vector<long long> head(size_t(1) << kHashBits, -1);
    std::vector<long long> previous(kWindow, -1);
    auto hash = [&](size_t p) {
        return ((static_cast<uint32_t>(data[p]) << 10) ^ (static_cast<uint32_t>(data[p + 1]) << 5) ^ data[p + 2]) &
               ((1u << kHashBits) - 1);
    };
    auto insert = [&](size_t p) {
        if (p + 2 >= n) return;
        uint32_t h = hash(p);
        previous[p % kWindow] = head[h];
        head[h] = static_cast<long long>(p);
    };

    BitWriter out;
    out.Bits(1, 1);  // the last block
    out.Bits(1, 2);  // fixed codes
    size_t pos = 0;
    while (pos < n) {
        size_t bestLength = 0, bestDistance = 0;
        if (pos + 2 < n) {
            size_t limit = std::min(kMaxLength, n - pos);
            long long candidate = head[hash(pos)];
            for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
                size_t from = static_cast<size_t>(candidate);
                if (from >= pos || pos - from > kWindow) break;
                if (data[from + bestLength] == data[pos + bestLength]) {
                    size_t length = 0;
                    while (length < limit && data[from + length] == data[pos + length]) ++length;
                    if (length > bestLength) {
                        bestLength = length;
                        bestDistance = pos - from;
                        if (length == limit) break;
                    }
                }
                long long next = previous[from % kWindow];
                // A slot reused by a newer position ends the chain.
                if (next >= candidate) break;
                candidate = next;
            }
        }
        if (bestLength >= 3) {
            WriteMatch(out, static_cast<int>(bestLength), static_cast<int>(bestDistance));
            for (size_t i = 0; i < bestLength; ++i) insert(pos + i);
            pos += bestLength;
        } else {
            WriteSymbol(out, data[pos]);
            insert(pos);
            ++pos;
        }
    }
    WriteSymbol(out, 256);
    return out.Finish();
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& body) {
    PutBigEndian(out, static_cast<uint32_t>(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

int Paeth(int left, int up, int upLeft) {
    int p = left + up - upLeft;
    int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    if (pa <= pb && pa <= pc) return left;
    return pb <= pc ? up : upLeft;
}

// Each row gets the filter whose output has the smallest sum of magnitudes, the
// usual cheap guess at what compresses best.
std::vector<uint8_t> FilteredRows(const Image& image) {
    const size_t stride = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> raw(stride * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            uint32_t pixel = image.At(x, y);
            uint8_t* at = &raw[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            at[0] = static_cast<uint8_t>(pixel >> 16);
            at[1] = static_cast<uint8_t>(pixel >> 8);
            at[2] = static_cast<uint8_t>(pixel);
        }
    }
    std::vector<uint8_t> out;
    out.reserve((stride + 1) * static_cast<size_t>(image.height));
    std::vector<uint8_t> candidate(stride), best(stride);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* row = &raw[static_cast<size_t>(y) * stride];
        const uint8_t* up = y > 0 ? row - stride : nullptr;
        long bestScore = -1;
        uint8_t bestType = 0;
        for (uint8_t type : {0, 1, 2, 4}) {
            long score = 0;
            for (size_t i = 0; i < stride; ++i) {
                int left = i >= 3 ? row[i - 3] : 0;
                int above = up != nullptr ? up[i] : 0;
                int aboveLeft = (up != nullptr && i >= 3) ? up[i - 3] : 0;
                int predicted = type == 0 ? 0 : type == 1 ? left : type == 2 ? above : Paeth(left, above, aboveLeft);
                candidate[i] = static_cast<uint8_t>(row[i] - predicted);
                score += candidate[i] < 128 ? candidate[i] : 256 - candidate[i];
            }
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestType = type;
                best.swap(candidate);
            }
        }
        out.push_back(bestType);
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Image& image) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> png(kSignature, kSignature + 8);

    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(image.width));
    PutBigEndian(header, static_cast<uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB, no interlace
    PutChunk(png, "IHDR", header);

    std::vector<uint8_t> rows = FilteredRows(image);
    std::vector<uint8_t> zlib = {0x78, 0x01};
    std::vector<uint8_t> deflated = Deflate(rows);
    zlib.insert(zlib.end(), deflated.begin(), deflated.end());
    PutBigEndian(zlib, Adler32(rows));
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}

bool SavePng(const std::string& path, const Image& image) {
    if (image.Empty()) return false;
    std::vector<uint8_t> png = EncodePng(image);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    return std::fwrite(png.data(), 1, png.size(), file.get()) == png.size();
}

}  // namespace tkt
