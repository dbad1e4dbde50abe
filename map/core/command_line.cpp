#include "map/core/command_line.h"

#ifndef MARV_VERSION
#error "MARV_VERSION, the project's version, is set by the build"
#endif

namespace marv {
namespace {

// Qt's options, each between blanks: those that take the next argument (or the text after "=")
// as their value, those that take none, and those written only with "=". Qt accepts each with
// one dash or two.
constexpr std::string_view kQtOptionsWithValue =
    " platform platformpluginpath platformtheme plugin qwindowgeometry geometry qwindowtitle "
    "title qwindowicon icon session style stylesheet display name visual ";
constexpr std::string_view kQtFlags = " reverse widgetcount nograb dograb sync testability ";
constexpr std::string_view kQtOptionsWithEqualsOnly = " qmljsdebugger dialogs fontengine darkmode ";

bool among(std::string_view names, std::string_view name) {
    return !name.empty() && name.find(' ') == std::string_view::npos &&
           names.find(" " + std::string(name) + " ") != std::string_view::npos;
}

// The option's name without its dashes, or empty when `argument` is no Qt-style option.
std::string_view optionName(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-') return {};
    argument.remove_prefix(argument[1] == '-' ? 2 : 1);
    return argument;
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string_view>& arguments) {
    bool help = false, version = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
            continue;
        }
        if (argument == "--version" || argument == "-v") {
            version = true;
            continue;
        }
        const std::string_view name = optionName(argument);
        const std::size_t equals = name.find('=');
        const std::string_view bare = name.substr(0, equals);
        if (among(kQtFlags, name) ||
            (equals != std::string_view::npos &&
             (among(kQtOptionsWithValue, bare) || among(kQtOptionsWithEqualsOnly, bare))))
            continue;
        if (among(kQtOptionsWithValue, name) && i + 1 < arguments.size()) {
            ++i;  // its value
            continue;
        }
        return {CommandAction::kUsageError, std::string(argument)};
    }
    if (help) return {CommandAction::kHelp, {}};
    if (version) return {CommandAction::kVersion, {}};
    return {};
}

std::string versionText(std::string_view program) {
    return std::string(program) + " " + MARV_VERSION + "\n";
}

std::string helpText(std::string_view program, std::string_view mapLines) {
    const std::string name(program);
    const std::string what =
        program == "marvedit"
            ? "Editor del mapa de marvane: elija una baldosa en la paleta (pasto, agua, tierra o\n"
              "adoquines), pinte casillas del tablero de 20 × 20 con clics y guarde el mapa con\n"
              "Guardar.\n"
            : "Demostración de la búsqueda de caminos A* en un tablero de 20 × 20 baldosas: un\n"
              "clic izquierdo en una casilla busca un camino desde el personaje hasta ella, y el\n"
              "personaje lo recorre.\n";
    return "Uso: " + name + " [OPCIÓN]\n" + what + "\n" + std::string(mapLines) +
           "\nOpciones:\n"
           "  -h, --help     muestra esta ayuda y termina\n"
           "  -v, --version  muestra la versión y termina\n"
           "Acepta también las opciones de Qt para el sistema de ventanas, como -platform o "
           "-style.\n";
}

std::string usageErrorText(std::string_view program, std::string_view argument) {
    const std::string name(program);
    return name + ": no se admite el argumento «" + std::string(argument) + "».\n" + "Consulte «" +
           name + " --help» para ver las opciones.\n";
}

}  // namespace marv
