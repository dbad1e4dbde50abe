#pragma once

#include <QString>

class QMessageBox;

namespace marv {

// The file of Qt's own Spanish texts (standard buttons, the text fields' menu), as the build puts
// it beside the programs.
inline constexpr char kQtSpanishFile[] = "qtbase_es.qm";

// Puts Qt's own texts in Spanish, whatever the user's locale, as the programs' own texts are:
// from the copy in `programFolder`, or else from Qt's translations folder. False when neither
// can be loaded; the programs' own boxes still name their buttons in Spanish.
bool loadQtSpanish(const QString& programFolder);

// Names the box's OK button "Aceptar" itself, so that it never shows English, with or without
// Qt's translation.
void nameOkButtonInSpanish(QMessageBox& box);

}  // namespace marv
