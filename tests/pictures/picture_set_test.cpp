#include "map/pictures/picture_set.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "support/temp_folder.h"

namespace marv {
namespace {

using testing::TempFolder;

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;

std::string loadErrorFor(const QString& folder) {
    const auto set = PictureSet::load(folder);
    return set ? "" : set.error();
}

TEST(PictureSet, LoadsNineOpaque20By20PicturesFromTheResources) {
    ASSERT_TRUE(PictureSet::builtIn().ok()) << PictureSet::builtIn().error();
    const PictureSet& set = PictureSet::shared();
    for (int i = 0; i < PictureSet::kCount; ++i) {
        EXPECT_EQ(set.imagen(i).size(), QSize(20, 20)) << i;
        EXPECT_EQ(set.imagen(i).format(), kBoardImageFormat) << i;
    }
    EXPECT_THROW(set.imagen(PictureSet::kCount), std::out_of_range);
}

TEST(PictureSet, NamesTheMissingOrMisshapenPicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureSet& good = PictureSet::shared();
    for (int i = 0; i < PictureSet::kCount - 1; ++i)
        ASSERT_TRUE(good.imagen(i).save(dir.filePath(QStringLiteral("imagen%1.png").arg(i))));
    EXPECT_NE(loadErrorFor(dir.path()).find("imagen8.png"), std::string::npos);

    ASSERT_TRUE(good.imagen(8).save(dir.filePath("imagen8.png")));
    EXPECT_EQ(loadErrorFor(dir.path()), "");

    ASSERT_TRUE(good.imagen(3).copy(0, 0, 20, 19).save(dir.filePath("imagen3.png")));
    EXPECT_NE(loadErrorFor(dir.path()).find("imagen3.png"), std::string::npos);
}

// Stamping needs pure black and white masks, and figures that are white exactly where their
// mask lets the board through; the frame mask covers the three outer rings.
TEST(PictureSet, MasksAndFiguresMatchPixelForPixel) {
    const PictureSet& set = PictureSet::shared();
    const std::pair<int, int> pairs[] = {{kFiguraPersonaje, kMascaraPersonaje},
                                         {kMarcoAbierto, kMascaraMarco},
                                         {kMarcoCerrado, kMascaraMarco}};
    for (auto [figure, mask] : pairs) {
        int silhouette = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const QRgb m = set.imagen(mask).pixel(x, y);
                ASSERT_TRUE(m == kWhite || m == kBlack) << mask << " at " << x << "," << y;
                // The frame's mask is black on the three rings nearest the edge.
                if (mask == kMascaraMarco)
                    EXPECT_EQ(m == kBlack, std::min({x, y, 19 - x, 19 - y}) < 3);
                EXPECT_EQ(set.imagen(figure).pixel(x, y) == kWhite, m == kWhite)
                    << figure << " at " << x << "," << y;
                silhouette += m == kBlack;
            }
        EXPECT_GT(silhouette, 60) << figure;
    }
}

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
        EXPECT_EQ(TempFolder::read(first.file(name)), TempFolder::read(second.file(name)));
        EXPECT_EQ(generated.value().imagen(i), PictureSet::shared().imagen(i));
    }
}

}  // namespace
}  // namespace marv
