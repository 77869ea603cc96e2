#pragma once
// The scripted tour the demo plays when it has no display: it drives the form with input at
// screen pixels, takes a screenshot after each step and writes the event log.

#include <QString>

namespace datewell::demo {

class DemoForm;

// Plays the tour on a shown form and writes NN-name.png files and event-log.txt into out_dir.
// Returns the number of steps whose expectation failed (0 when the tour went as planned).
int PlayTour(DemoForm& form, const QString& out_dir);

// A picture of the whole screen as the application shows it: every visible top-level window
// painted at its place, later windows (pop-ups, dialogs) above earlier ones.
bool SaveScreenshot(const QString& path);

}  // namespace datewell::demo
