#include <gtest/gtest.h>

#include "editor/model/editor_model.h"
#include "support/board_text.h"
#include "support/temp_folder.h"

namespace marv {
namespace {

TEST(EditorModel, CountsOnlyRealChanges) {
    EditorModel model(MapValues{});
    EXPECT_FALSE(model.paint({3, 4})) << "grass on grass";
    EXPECT_FALSE(model.chooseTile(2)) << "no picture for it in the palette";
    EXPECT_EQ(model.tileActual(), 0);
    EXPECT_TRUE(model.chooseTile(7));
    EXPECT_FALSE(model.paint({20, 0}) || model.paint({0, -1})) << "off the board";
    model.borrar();
    EXPECT_FALSE(model.modified()) << "borrar on grass";
    EXPECT_TRUE(model.paint({3, 4}));
    EXPECT_EQ(model.at({3, 4}), 7);
    EXPECT_EQ(model.at({4, 3}), 0);
    EXPECT_TRUE(model.modified());
}

// Borrar turns every cell to grass and keeps the chosen tile; it is a change only where a cell was
// not grass. A save that fails leaves the board marked as changed.
TEST(EditorModel, BorrarThenAFailedSave) {
    testing::TempFolder folder;
    EditorModel model(parseMapText(testing::mapText({"#t", ".p"}, 19), "m").value());
    model.chooseTile(8);
    model.borrar();
    EXPECT_EQ(model.mapa(), testing::uniformCodes(0));
    EXPECT_EQ(model.tileActual(), 8);
    EXPECT_TRUE(model.modified());
    EXPECT_FALSE(model.save(folder.file("no/hay/mapa.txt")).ok());
    EXPECT_TRUE(model.modified()) << "after a failed save";
}

}  // namespace
}  // namespace marv
