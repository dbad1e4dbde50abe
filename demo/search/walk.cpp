#include <charconv>
#include <string_view>

#include "demo/search/demo.h"

namespace marv {
namespace {

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        pieces.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return pieces;
        start = comma + 1;
    }
}

std::int16_t toInt16(std::string_view text) {
    std::int16_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

void Demo::startWalk() {
    if (state_.encontrado == 0) return;
    state_.mostrarBusqueda = kFalse;
    state_.rutaPasos = splitAtCommas(state_.ruta);
    window_.startWalkTimer();
}

void Demo::walkStep() {
    DemoState& s = state_;
    auto& pasos = s.rutaPasos;
    if ((s.destX == s.posX && s.destY == s.posY) || pasos.size() < 2) {
        window_.stopWalkTimer();
    } else {
        s.posX = toInt16(pasos[0]);
        s.posY = toInt16(pasos[1]);
        // The last pair stays behind as a copy, so a late tick lands on the destination.
        for (std::size_t i = 2; i < pasos.size(); ++i) pasos[i - 2] = pasos[i];
    }
    window_.dibujar();
}

}  // namespace marv
