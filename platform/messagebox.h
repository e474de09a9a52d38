#pragma once

#include <QString>

// Shows a modal information box, centred on the screen, with the text and one "OK" button that
// both Enter and Esc press; returns when it is closed.
void ShowInformation(const QString &text, const QString &title = QStringLiteral("Information"));

// Message texts may break lines with the pair line feed + carriage return, or carriage return +
// line feed: each pair becomes one "\n", and a carriage return on its own is dropped.
QString NormalizeLineBreaks(const QString &text);
