#include <gtest/gtest.h>
#include <QProcess>

#include "map/pictures/picture_set.h"
#include "support/temp_folder.h"

namespace marv::testing {
namespace {

bool runGenerator(const std::string& folder) {
    QProcess process;
    process.start(QStringLiteral(MAKE_PICTURES_PATH), {QString::fromStdString(folder)});
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The committed pictures must be exactly what the generator makes now, and it must make the
// same bytes every time, or regenerating would silently change the board.
TEST(MakePictures, IsRepeatableAndMatchesTheBuiltInPictures) {
    TempFolder first, second;
    ASSERT_TRUE(runGenerator(first.path()));
    ASSERT_TRUE(runGenerator(second.path()));

    const auto generated = PictureSet::load(QString::fromStdString(first.path()));
    ASSERT_TRUE(generated.ok()) << generated.error();
    for (int i = 0; i < PictureSet::kCount; ++i) {
        SCOPED_TRACE(i);
        const std::string name = "imagen" + std::to_string(i) + ".png";
        const std::string bytes = TempFolder::read(first.file(name));
        EXPECT_FALSE(bytes.empty());
        EXPECT_EQ(bytes, TempFolder::read(second.file(name)));
        EXPECT_EQ(generated.value().imagen(i), PictureSet::shared().imagen(i));
    }
}

}  // namespace
}  // namespace marv::testing
