#include "map/startup/spanish_texts.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace marv {

bool loadQtSpanish(const QString& programFolder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString name = QString::fromLatin1(kQtSpanishFile);
    const bool loaded = (!programFolder.isEmpty() && translator->load(name, programFolder)) ||
                        translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

void nameOkButtonInSpanish(QMessageBox& box) {
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setText(QStringLiteral("Aceptar"));
}

}  // namespace marv
