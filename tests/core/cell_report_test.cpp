#include <gtest/gtest.h>

#include "board_text.h"
#include "demo/search/cell_report.h"
#include "fake_window.h"

namespace marv::testing {
namespace {

TEST(CellReport, BeforeAnySearchEverythingIsZero) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());
    window.calls.clear();
    press(demo, kRightButton, 3, 7);
    EXPECT_EQ(window.calls, (std::vector<std::string>{
                                "text:Abierto = False  Cerrado = False",
                                "message:Coor = 3 7\r\nCerrados = 0\r\nF = 0\r\nPadres = 0 0"}));
}

TEST(CellReport, CountsOffBoardClosedAndUnwalkableCells) {
    FakeWindow window;
    Demo demo(window);
    demo.load(boardFromText({".#", "", "", "", "", "", "", "", "", "",
                             "",   "", "", "", "", "", "", "", "", "..................#"}));
    struct Case {
        const char* name;
        int column, row, blocked;
    };
    const Case cases[] = {{"top-left corner beside a wall", 0, 0, 6},
                          {"top edge under a wall", 1, 1, 1},
                          {"bottom-right corner beside a wall", 19, 19, 6},
                          {"left edge", 0, 10, 3},
                          {"bottom edge", 10, 19, 3},
                          {"middle", 10, 10, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(blockedAround(demo.state(), c.column, c.row), c.blocked) << c.name;
    }
}

TEST(CellReport, TheStartOfTheLastSearchIsClosedAndUnscored) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());
    placeCharacter(demo, 5, 5);
    press(demo, kLeftButton, 8, 5);
    window.calls.clear();
    press(demo, kRightButton, 5, 5);
    EXPECT_EQ(window.calls[0], "text:Abierto = False  Cerrado = True");
    EXPECT_EQ(window.calls[1], "message:Coor = 5 5\r\nCerrados = 2\r\nF = 0\r\nPadres = 0 0");

    window.calls.clear();
    press(demo, kRightButton, 6, 5);  // closed, on the path, parent (5, 5)
    EXPECT_EQ(window.calls[0], "text:Abierto = False  Cerrado = True");
    const Celda& c = demo.state().celda(6, 5);
    EXPECT_EQ(window.calls[1], "message:Coor = 6 5\r\nCerrados = " +
                                   std::to_string(blockedAround(demo.state(), 6, 5)) +
                                   "\r\nF = " + std::to_string(c.f) + "\r\nPadres = 5 5");
    EXPECT_EQ(c.f, 20 + 10);
}

TEST(CellReport, NegativeScoresAreWrittenWithAMinusSign) {
    FakeWindow window;
    Demo demo(window);
    demo.load(boardFromText({"", "", "", "", "", "......p"}));
    placeCharacter(demo, 5, 5);
    press(demo, kLeftButton, 6, 5);
    EXPECT_NE(cellReportMessage(demo.state(), 6, 5).find("F = -5\r\n"), std::string::npos);
}

}  // namespace
}  // namespace marv::testing
