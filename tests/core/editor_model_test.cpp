#include <gtest/gtest.h>

#include "editor/model/editor_model.h"

namespace marv {
namespace {

TEST(EditorModel, CountsOnlyRealChanges) {
    EditorModel model(MapValues{});
    EXPECT_FALSE(model.paint({3, 4})) << "grass on grass";
    EXPECT_FALSE(model.chooseTile(2)) << "no picture for it in the palette";
    EXPECT_EQ(model.tileActual(), 0);
    EXPECT_TRUE(model.chooseTile(7));
    EXPECT_FALSE(model.paint({20, 0}) || model.paint({0, -1})) << "off the board";
    EXPECT_FALSE(model.modified());
    EXPECT_TRUE(model.paint({3, 4}));
    EXPECT_EQ(model.at({3, 4}), 7);
    EXPECT_EQ(model.at({4, 3}), 0);
    EXPECT_TRUE(model.modified());
}

}  // namespace
}  // namespace marv
