#pragma once

#include "logic/page/coverplan.h"
#include "logic/texts/language.h"
#include "logic/typology.h"

#include <QString>

#include <optional>

namespace vellumark {

class ProgramSettings;

// What the main window holds besides the measures and the pictures: the
// choices the user made, read from the settings at start and written back
// at exit. The window shows it and changes it; it never reads it back from
// its controls.
struct WindowState
{
    Language language = Language::English;
    QString pictureFolder; // where the last picture was chosen
    QString previewSwitch; // the picture dialog's preview box, as stored
    QString backgroundPicture; // the window's background picture file, or empty
    bool openWithPreview = true; // pictures open through the picture dialog
    int fillStyle = 1; // the background pattern, 0 to 7
    int fillColour = 255; // red + 256 green + 65536 blue
    // None only when no print option is selected: exit then keeps the
    // stored selection.
    std::optional<PrintSelection> printSelection = PrintSelection::BothSlots;
    bool borderA = false;
    bool borderB = false;
    int typologyA = 0; // -1: no entry selected
    int typologyB = 0;
    bool dvdFullCase = true; // "18,3 x 27,2"; otherwise "13,1 x 18,3"
    bool dvdShown = false; // not stored: every start shows the CD slots

    int &typology(CoverSlot slot) { return slot == CoverSlot::A ? typologyA : typologyB; }
    bool &border(CoverSlot slot) { return slot == CoverSlot::A ? borderA : borderB; }

    // The stored values; one that is missing or unusable gives its default.
    static WindowState load(const ProgramSettings &settings);
    // Writes the window's values only: the others keep their lines as they are.
    void save(const ProgramSettings &settings) const;
};

} // namespace vellumark
