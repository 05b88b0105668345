#pragma once

class CellLabel;
class QAccessibleInterface;

// A cell is a button named after the bit number shown above it and its
// state, with a press action that is one click.
QAccessibleInterface* newCellAccessible(CellLabel* cell);
