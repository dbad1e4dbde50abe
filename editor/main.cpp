#include "editor/editor_program.h"

int main(int argc, char* argv[]) {
    return marv::programMain(argc, argv, marv::editorProgram());
}
