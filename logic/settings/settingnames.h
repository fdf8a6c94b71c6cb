#pragma once

#include <QString>

// The names of the values in the program's settings key. The key keeps the
// names it has always had; the program calls them by what they are for.
namespace vellumark::SettingName {

// The main window's values, read at start and written at exit.
inline const QString PictureFolder = QStringLiteral("Percorso");
inline const QString PreviewSwitch = QStringLiteral("Anteprima");
inline const QString PrintSelection = QStringLiteral("Stampa");
inline const QString BorderA = QStringLiteral("BordoA");
inline const QString BorderB = QStringLiteral("BordoB");
inline const QString TypologyA = QStringLiteral("TipoCoverA");
inline const QString TypologyB = QStringLiteral("TipoCoverB");
inline const QString Language = QStringLiteral("Lingua");
inline const QString FillStyle = QStringLiteral("Skin");
inline const QString FillColour = QStringLiteral("Colore");
inline const QString OpenWithPreview = QStringLiteral("ApriFile");
inline const QString BackgroundPicture = QStringLiteral("Immagine");

// Start-up.
inline const QString Password = QStringLiteral("Password");
inline const QString AskPassword = QStringLiteral("OnPassword");
inline const QString ShowAbout = QStringLiteral("About");

// The options dialog's values, read and written when they are used.
inline const QString ConfirmExit = QStringLiteral("Uscita");
inline const QString PrinterSetupFirst = QStringLiteral("Stampante");
inline const QString BorderWidth = QStringLiteral("Spessore");
inline const QString CutMarks = QStringLiteral("Tagli");
inline const QString Bleed = QStringLiteral("Abbondanza");

// How each cover's picture meets it, written when the user picks it.
inline const QString FitA = QStringLiteral("AdattaA");
inline const QString FitB = QStringLiteral("AdattaB");
inline const QString FitDvd = QStringLiteral("AdattaDVD");

// Written at the first start, read by nothing.
inline const QString UnreadRemove = QStringLiteral("Elimina");
inline const QString UnreadAdd = QStringLiteral("Aggiungi");

// A printer's calibration: one group per printer, the printer's name after
// the prefix, and its four values.
inline const QString CalibrationGroupPrefix = QStringLiteral("Calibrazione ");
inline const QString CalibrationScaleX = QStringLiteral("ScalaX");
inline const QString CalibrationScaleY = QStringLiteral("ScalaY");
inline const QString CalibrationShiftX = QStringLiteral("SpostamentoX");
inline const QString CalibrationShiftY = QStringLiteral("SpostamentoY");

} // namespace vellumark::SettingName
