#include "map/pictures/picture_set.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace marv {
namespace {

bool runGenerator(const QString& folder) {
    QProcess process;
    process.start(QStringLiteral(MAKE_PICTURES_PATH), {folder});
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The committed pictures must be exactly what the generator makes now, and it must make the
// same bytes every time, or regenerating would silently change the board.
TEST(MakePictures, IsRepeatableAndMatchesTheBuiltInPictures) {
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    ASSERT_TRUE(runGenerator(first.path()));
    ASSERT_TRUE(runGenerator(second.path()));

    const auto generated = PictureSet::load(first.path());
    ASSERT_TRUE(generated.ok()) << generated.error();
    const PictureSet& builtIn = PictureSet::shared();
    for (int i = 0; i < PictureSet::kCount; ++i) {
        SCOPED_TRACE(i);
        const QString name = QStringLiteral("imagen%1.png").arg(i);
        const QByteArray bytes = contents(first.filePath(name));
        EXPECT_FALSE(bytes.isEmpty());
        EXPECT_EQ(bytes, contents(second.filePath(name)));
        EXPECT_EQ(generated.value().imagen(i), builtIn.imagen(i));
    }
}

}  // namespace
}  // namespace marv
