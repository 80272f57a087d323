#pragma once

// The colours and fonts the program's windows are drawn in, in one place.

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace mosaren {

inline const QColor kCream{255, 251, 240};
inline const QColor kOrange{255, 170, 85};
inline const QColor kContactOrange{244, 122, 0};

// A font asked for by family name and a height in pixels, as the forms describe it. The forms'
// families ("MS Sans Serif", "Arial") are seldom on a Linux machine, and the font matcher's own
// choice there is a face so wide that the texts no longer fit the controls' fixed sizes; so
// the family is followed by faces of Arial's metrics, which hold the forms' texts at 11 pixels
// and that tools/setup installs.
QFont PixelFont(const QString& family, int pixels, bool bold = false);

// The window font of the three forms: "MS Sans Serif", 11 pixels.
QFont FormFont();

// Gives the widget an opaque background of that colour; child widgets inherit it.
void SetBackground(QWidget& widget, const QColor& colour);
// The colour the widget's text is drawn in.
void SetTextColour(QWidget& widget, const QColor& colour);

}  // namespace mosaren
