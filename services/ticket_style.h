#pragma once
// The look the ticket services' windows share: the pale yellow background, the focus
// colour, and their fonts (the Windows faces fall back to a sans serif of the system).
#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

inline const QColor kBackColour(255, 255, 192);   // window and frame background
inline const QColor kFocusColour(255, 224, 192);  // a field or list with the focus

QFont face(const char* family, double points, bool bold);
// Sets one colour of the widget's palette.
void colour(QWidget* w, QPalette::ColorRole role, const QColor& c);
