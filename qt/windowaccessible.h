#pragma once

class QAccessibleInterface;
class QWidget;

// The main window is a frame named by its title; a plain top-level QWidget
// would be a nameless filler.
QAccessibleInterface* newWindowAccessible(QWidget* window);
