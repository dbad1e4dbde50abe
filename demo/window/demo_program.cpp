#include "demo/window/demo_program.h"

#include "demo/window/demo_window.h"

namespace marv {

const ProgramKind& demoProgram() {
    static const ProgramKind kind{
        QStringLiteral("marvane"), kDemoWindowFacts, kDemoCodes,
        [](const MapLocation&, const MapValues& values) -> std::unique_ptr<QWidget> {
            return std::make_unique<DemoWindow>(values);
        }};
    return kind;
}

int runDemoProgram(const std::string& mapPath) {
    return runProgram(demoProgram(), mapPath);
}

}  // namespace marv
