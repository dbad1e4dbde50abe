#include "demo/search/cell_report.h"
#include "demo_fixture.h"

namespace marv::testing {
namespace {

using CellReport = LoadedDemo;

TEST_F(CellReport, BeforeAnySearchEverythingIsZero) {
    press(kRightButton, 3, 7);
    EXPECT_EQ(window.calls, (Calls{"text:Abierto = False  Cerrado = False",
                                   "message:Coor = 3 7\r\nCerrados = 0\r\nF = 0\r\nPadres = 0 0"}));
}

TEST_F(CellReport, TheStartOfTheLastSearchIsClosedAndUnscored) {
    search({5, 5}, {8, 5});
    window.calls.clear();
    press(kRightButton, 5, 5);
    press(kRightButton, 6, 5);  // closed, on the path
    EXPECT_EQ(window.calls,
              (Calls{"text:Abierto = False  Cerrado = True",
                     "message:Coor = 5 5\r\nCerrados = 2\r\nF = 0\r\nPadres = 0 0",
                     "text:Abierto = False  Cerrado = True",
                     "message:Coor = 6 5\r\nCerrados = 3\r\nF = 30\r\nPadres = 5 5"}));
}

TEST_F(CellReport, NegativeScoresAreWrittenWithAMinusSign) {
    load(board({"......p"}, 5));
    search({5, 5}, {6, 5});
    EXPECT_NE(cellReportMessage(state(), 6, 5).find("F = -5\r\n"), std::string::npos);
}

}  // namespace
}  // namespace marv::testing
