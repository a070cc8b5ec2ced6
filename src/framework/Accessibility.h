// What assistive technology sees of our controls.
//
// Qt reads a label's text as its accessible name only while no accessible name is set; once a
// name is set the text is no longer offered at all. A read-out is named by its meaning, so it
// gets an interface of its own: its accessible name and description, and the current reading
// as value and as text. Picture boxes are graphics.
#pragma once

class QLabel;
class QWidget;

namespace orvelan {

// Installs the factory that gives read-outs and picture boxes their interfaces (once).
void InstallAccessibleFactory();

// Makes `label` a read-out: its accessible value and text are its reading.
void MarkAsReadout(QLabel* label);

// Drops an interface Qt made for `control` before it was named or marked, so that the next
// query comes through the factory.
void DropForeignInterface(QWidget* control);

// Tells a listening screen reader that the reading of `label` changed (Qt sends nothing for a
// label with an accessible name).
void AnnounceReading(QLabel* label);

}  // namespace orvelan
