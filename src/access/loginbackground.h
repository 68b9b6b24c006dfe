#pragma once

class QPainter;
class QRect;

namespace useraccess {

// The picture behind the login screen: a light field under a dark band
// with a padlock, and a faint key in the lower corner. Drawn, not loaded,
// so it scales with the window.
void paintLoginBackground(QPainter& painter, const QRect& area);

} // namespace useraccess
