#pragma once

#include <functional>

#include <QColor>
#include <QIcon>
#include <QString>

class QLineEdit;
class QWidget;

// Asks the user for a colour, starting at `initial`; an invalid colour means
// the user cancelled. The sheets use the system colour dialog; tests plug in
// their own.
using ColourChooser = std::function<QColor(const QColor& initial, QWidget* parent)>;

// The colour a colour box stands for: one of the eight names ("White",
// "Black", "Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", in any case);
// "c0c0c0" for an empty box; otherwise the first six characters (after a
// leading "#") read as two hexadecimal digits each for red, green and blue,
// where any other character, or a missing one, counts as 0.
QColor ColourFromText(const QString& text);

// The text a colour is stored as: its name when it is one of the eight named
// colours, else "rrggbb" in lower-case hexadecimal.
QString TextFromColour(const QColor& colour);

// Opens `chooser` on the colour of `box` and, unless cancelled, writes the
// chosen colour back into the box. Returns true when the box was written.
bool PickColour(QLineEdit& box, const ColourChooser& chooser, QWidget* parent);

// The system colour dialog.
QColor ChooseWithColourDialog(const QColor& initial, QWidget* parent);

// A small square of the colour a box stands for (empty boxes: a frame only).
QIcon ColourSwatch(const QString& text);
