// Writes the board's nine pictures, imagen0.png … imagen8.png, into the folder given as the only
// argument. The output is fully determined by this file: the noise comes from a fixed-seed
// xorshift generator rather than std:: distributions, whose output differs between library
// versions, so regenerating never changes the committed pictures.

#include <QDir>
#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "map/core/board_geometry.h"

namespace {

using marv::kCellPixels;

struct Rgb {
    int r;
    int g;
    int b;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

class XorShift32 {
  public:
    explicit XorShift32(std::uint32_t seed) : state_(seed) {}

    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

  private:
    std::uint32_t state_;
};

// A grid of floating values, one per pixel, that becomes a picture through a colour ramp.
using Field = std::array<std::array<double, kCellPixels>, kCellPixels>;

// Smooth value noise in [0, 1] that repeats every kCellPixels pixels, so neighbouring tiles of the
// same ground join without a visible seam. `cell` must divide kCellPixels.
Field tileNoise(XorShift32& rng, int cell) {
    const int n = kCellPixels / cell;
    std::vector<double> lattice(static_cast<std::size_t>(n * n));
    for (double& v : lattice) v = rng.unit();
    const auto at = [&](int i, int j) {
        return lattice[static_cast<std::size_t>(((j % n) * n) + (i % n))];
    };
    const auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };

    Field f{};
    for (int y = 0; y < kCellPixels; ++y) {
        for (int x = 0; x < kCellPixels; ++x) {
            const int i = x / cell;
            const int j = y / cell;
            const double tx = smooth((x % cell + 0.5) / cell);
            const double ty = smooth((y % cell + 0.5) / cell);
            const double top = at(i, j) + (at(i + 1, j) - at(i, j)) * tx;
            const double bottom = at(i, j + 1) + (at(i + 1, j + 1) - at(i, j + 1)) * tx;
            f[y][x] = top + (bottom - top) * ty;
        }
    }
    return f;
}

// Mottling: two octaves of tiling noise plus a little per-pixel grain, in [0, 1].
Field mottle(XorShift32& rng, double grain) {
    const Field coarse = tileNoise(rng, 5);
    const Field fine = tileNoise(rng, 2);
    Field f{};
    for (int y = 0; y < kCellPixels; ++y) {
        for (int x = 0; x < kCellPixels; ++x) {
            const double v = 0.6 * coarse[y][x] + 0.4 * fine[y][x];
            f[y][x] = std::clamp(v + grain * (rng.unit() - 0.5), 0.0, 1.0);
        }
    }
    return f;
}

Rgb mix(Rgb a, Rgb b, double t) {
    const auto lerp = [t](int p, int q) { return static_cast<int>(std::lround(p + (q - p) * t)); };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

QImage blank() {
    QImage image(kCellPixels, kCellPixels, QImage::Format_RGB32);
    image.fill(qRgb(kWhite.r, kWhite.g, kWhite.b));
    return image;
}

void put(QImage& image, int x, int y, Rgb c) {
    image.setPixel(x, y, qRgb(c.r, c.g, c.b));
}

// Moves the picture's average onto `target` without pushing any channel past `ceiling`, so
// the textures keep their intended overall colour whatever the noise happened to produce.
void settleAverage(QImage& image, Rgb target, Rgb ceiling) {
    for (int pass = 0; pass < 4; ++pass) {
        long sum[3] = {0, 0, 0};
        for (int y = 0; y < kCellPixels; ++y) {
            for (int x = 0; x < kCellPixels; ++x) {
                const QRgb p = image.pixel(x, y);
                sum[0] += qRed(p);
                sum[1] += qGreen(p);
                sum[2] += qBlue(p);
            }
        }
        const int area = kCellPixels * kCellPixels;
        const int dr = static_cast<int>(std::lround(target.r - double(sum[0]) / area));
        const int dg = static_cast<int>(std::lround(target.g - double(sum[1]) / area));
        const int db = static_cast<int>(std::lround(target.b - double(sum[2]) / area));
        if (dr == 0 && dg == 0 && db == 0) return;
        for (int y = 0; y < kCellPixels; ++y) {
            for (int x = 0; x < kCellPixels; ++x) {
                const QRgb p = image.pixel(x, y);
                put(image, x, y,
                    {std::clamp(qRed(p) + dr, 0, ceiling.r),
                     std::clamp(qGreen(p) + dg, 0, ceiling.g),
                     std::clamp(qBlue(p) + db, 0, ceiling.b)});
            }
        }
    }
}

// A tile mottled between two colours, with the given grain.
QImage mottledTile(XorShift32& rng, double grain, Rgb dark, Rgb light) {
    const Field f = mottle(rng, grain);
    QImage image = blank();
    for (int y = 0; y < kCellPixels; ++y)
        for (int x = 0; x < kCellPixels; ++x) put(image, x, y, mix(dark, light, f[y][x]));
    return image;
}

QImage grass() {
    XorShift32 rng(0x9a57c0u);
    QImage image = mottledTile(rng, 0.35, {38, 99, 33}, {66, 130, 58});

    // Short upright blades: a light tip over a slightly darker foot.
    constexpr Rgb kTip{73, 136, 66};
    constexpr Rgb kFoot{64, 127, 57};
    for (int i = 0; i < 22; ++i) {
        const int x = rng.below(kCellPixels);
        const int y = rng.below(kCellPixels);
        put(image, x, y, kTip);
        put(image, x, (y + 1) % kCellPixels, kFoot);
    }
    settleAverage(image, {54, 117, 47}, kTip);
    return image;
}

QImage water() {
    XorShift32 rng(0xa6a1u);
    QImage image = mottledTile(rng, 0.2, {96, 208, 205}, {110, 220, 216});

    // Ripples: a bright streak with dimmer ends and a faint trough under it, wrapping
    // sideways so that the streaks run on into the next water tile.
    constexpr Rgb kCrest{168, 242, 238};
    constexpr Rgb kFringe{138, 232, 228};
    constexpr Rgb kTrough{88, 200, 198};
    for (int row = 0; row < 5; ++row) {
        const int y = 1 + row * 4 + (row % 2);
        if (y >= kCellPixels) break;
        const int streaks = 1 + rng.below(2);
        int x0 = rng.below(kCellPixels);
        for (int s = 0; s < streaks; ++s) {
            const int length = 4 + rng.below(4);
            for (int k = 0; k < length; ++k) {
                const int x = (x0 + k) % kCellPixels;
                const bool end = k == 0 || k == length - 1;
                put(image, x, y, end ? kFringe : kCrest);
                if (!end && y + 1 < kCellPixels) put(image, x, y + 1, kTrough);
            }
            x0 = (x0 + length + 3 + rng.below(4)) % kCellPixels;
        }
    }
    settleAverage(image, {109, 218, 214}, {255, 255, 255});
    return image;
}

QImage earth() {
    XorShift32 rng(0x71e44au);
    QImage image = mottledTile(rng, 0.45, {168, 124, 42}, {214, 172, 76});

    // Pebbles and grit: scattered darker and paler grains.
    for (int i = 0; i < 16; ++i)
        put(image, rng.below(kCellPixels), rng.below(kCellPixels), {148, 106, 38});
    for (int i = 0; i < 12; ++i)
        put(image, rng.below(kCellPixels), rng.below(kCellPixels), {226, 188, 98});
    settleAverage(image, {191, 148, 58}, {255, 255, 255});
    return image;
}

QImage paving() {
    XorShift32 rng(0x9a7eu);
    QImage image = blank();
    for (int y = 0; y < kCellPixels; ++y) {
        for (int x = 0; x < kCellPixels; ++x) {
            const int v = 180 + rng.below(5) - 2;
            put(image, x, y, {v, v, v});
        }
    }
    // Round studs four pixels across on an eight-pixel pitch, the second row shifted by half a
    // pitch. The pitch cannot divide the tile, so the studs stay clear of the tile's edges
    // instead of being cut off there or merging with the neighbour's.
    constexpr Rgb kStud{226, 226, 226};
    for (int row = 0; row < 2; ++row) {
        const int top = 4 + row * 8;
        for (int left = 2 + row * 4; left + 4 <= kCellPixels - 2; left += 8) {
            for (int dy = 0; dy < 4; ++dy) {
                for (int dx = 0; dx < 4; ++dx) {
                    const bool corner = (dx == 0 || dx == 3) && (dy == 0 || dy == 3);
                    const int x = left + dx;
                    const int y = top + dy;
                    if (!corner) put(image, x, y, kStud);
                }
            }
        }
    }
    return image;
}

// A frame three pixels wide: two outer pixels of `outer`, one inner pixel of `inner`, the
// middle left white so that the stamped cell keeps its ground.
QImage frame(Rgb outer, Rgb inner) {
    QImage image = blank();
    for (int y = 0; y < kCellPixels; ++y) {
        for (int x = 0; x < kCellPixels; ++x) {
            const int depth = std::min({x, y, kCellPixels - 1 - x, kCellPixels - 1 - y});
            if (depth < 2)
                put(image, x, y, outer);
            else if (depth == 2)
                put(image, x, y, inner);
        }
    }
    return image;
}

QImage frameMask() {
    return frame(kBlack, kBlack);
}

// The character, a winged bug flying towards the upper right. The outline is symmetric about
// the diagonal; shading assumes light from the upper left.
constexpr std::array<const char*, kCellPixels> kCharacter = {
    "....................",  //
    "....................",  //
    "....................",  //
    "...vvv..............",  //
    "..vwWWvv.....s......",  //
    "..vwwwWWv...sds.....",  //
    "...vwwwwwv..ssds....",  //
    "....vvwwoooooss.....",  //
    "......vohdooo.......",  //
    "......ohooooo.......",  //
    "......odooodsv......",  //
    "......ooooooswv.....",  //
    ".......oodoswwWv....",  //
    "........ossvwwWv....",  //
    "............vwwWv...",  //
    "............vwwWv...",  //
    ".............vwwv...",  //
    "..............vv....",  //
    "....................",  //
    "....................",  //
};

Rgb characterColour(char c) {
    switch (c) {
        case 'o':
            return {134, 114, 0};  // body
        case 'h':
            return {170, 148, 26};  // body, lit
        case 's':
            return {100, 84, 0};  // body in shadow, head
        case 'd':
            return {63, 60, 69};  // spots, eyes
        case 'w':
            return {190, 205, 200};  // wing
        case 'W':
            return {214, 226, 222};  // wing, leading edge
        case 'v':
            return {150, 168, 170};  // wing rim
        default:
            return kWhite;
    }
}

QImage character() {
    QImage image = blank();
    for (int y = 0; y < kCellPixels; ++y)
        for (int x = 0; x < kCellPixels; ++x) put(image, x, y, characterColour(kCharacter[y][x]));
    return image;
}

QImage characterMask() {
    QImage image = blank();
    for (int y = 0; y < kCellPixels; ++y)
        for (int x = 0; x < kCellPixels; ++x)
            if (kCharacter[y][x] != '.') put(image, x, y, kBlack);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s CARPETA\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "no se puede crear %s\n", argv[1]);
        return 1;
    }

    const std::array<QImage, 9> pictures = {
        grass(),         water(),
        character(),     frame({170, 228, 30}, {0, 15, 0}),
        frameMask(),     frame({88, 106, 235}, {0, 3, 50}),
        characterMask(), earth(),
        paving(),
    };
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QString path = folder.filePath(QStringLiteral("imagen%1.png").arg(i));
        if (!pictures[i].save(path, "PNG")) {
            std::fprintf(stderr, "no se puede escribir %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
