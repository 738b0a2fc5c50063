#pragma once

class QString;
class QWidget;

// An empty, see-through widget laid over a picture the window paints itself, so that a screen
// reader finds the picture: a graphic named `name`, whose accessible description says what it
// shows. The caller keeps its place and its description up to date.
QWidget* pictureNode(QWidget* parent, const QString& name);
