#include <cstdlib>

#include "demo/search/demo.h"

namespace marv {

void expandir(DemoState& s) {
    s.rechazados = 0;
    const std::int16_t nodeG = s.celda(s.actX, s.actY).g;
    for (int y = s.actY - 1; y <= s.actY + 1; ++y) {
        for (int x = s.actX - 1; x <= s.actX + 1; ++x) {
            if (s.blocked(x, y)) {
                ++s.rechazados;
                continue;
            }
            Celda& c = s.celda(x, y);
            const int step = (x == s.actX || y == s.actY) ? 10 : 14;
            const auto g = static_cast<std::int16_t>(nodeG + step);
            if (c.abierto == 0) {
                c.abierto = kTrue;
                c.g = g;
                c.padreX = s.actX;
                c.padreY = s.actY;
                c.h =
                    static_cast<std::int16_t>(10 * (std::abs(x - s.destX) + std::abs(y - s.destY)));
            } else if (g < c.g) {
                // Only a strictly cheaper way takes the cell over; on a tie the first parent stays.
                c.g = g;
                c.padreX = s.actX;
                c.padreY = s.actY;
            }
            c.f = static_cast<std::int16_t>(c.h + c.g + c.costo);
        }
    }
}

}  // namespace marv
