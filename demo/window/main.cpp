#include "demo/window/demo_program.h"

int main(int argc, char* argv[]) {
    return marv::programMain(argc, argv, marv::demoProgram());
}
