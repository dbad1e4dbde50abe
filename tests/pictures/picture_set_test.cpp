#include "map/pictures/picture_set.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>

#include "support/temp_folder.h"

namespace marv {
namespace {

using testing::TempFolder;

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;

std::string loadErrorFor(const std::string& folder) {
    const auto set = PictureSet::load(QString::fromStdString(folder));
    return set ? "" : set.error();
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
// same bytes every time, or regenerating would silently change the board. The built-in ones are
// held in the board's format, whatever the decoder gave, and there are nine. A load fails naming
// the first picture that is missing or not 20 × 20.
TEST(PictureSet, MatchesTheGeneratorAndNamesAMissingOrMisshapenPicture) {
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
        EXPECT_EQ(PictureSet::shared().imagen(i).format(), kBoardImageFormat);
    }
    EXPECT_THROW(PictureSet::shared().imagen(PictureSet::kCount), std::out_of_range);

    std::filesystem::remove(first.file("imagen8.png"));
    EXPECT_NE(loadErrorFor(first.path()).find("imagen8.png"), std::string::npos);
    const QImage shorter = generated.value().imagen(3).copy(0, 0, 20, 19);
    ASSERT_TRUE(shorter.save(QString::fromStdString(first.file("imagen3.png"))));
    EXPECT_NE(loadErrorFor(first.path()).find("imagen3.png"), std::string::npos);
}

}  // namespace
}  // namespace marv
