#pragma once

#include "logic/texts/language.h"

#include <QObject>

class QWidget;

namespace vellumark {

class PictureBox;
class ToolSet;

// What the main window tells a screen reader: every control a user reaches
// named in the window's language, captions tied to their fields, the
// picture boxes' state, and the picture boxes in the Tab order. It finds
// the controls by their names, so it follows the layout tables rather than
// the window's members.
class WindowAccessibility : public QObject
{
public:
    // Ties captions to their fields and places the picture boxes in the Tab
    // order; call once the window's own Tab order stands.
    WindowAccessibility(QWidget *window, ToolSet *tools);

    // Names every control in the language; called at each language switch.
    void apply(Language language);

private:
    QWidget *control(const char *name) const;
    void namePicture(PictureBox *box) const;

    QWidget *m_window;
    ToolSet *m_tools;
    Language m_language = Language::English;
};

} // namespace vellumark
