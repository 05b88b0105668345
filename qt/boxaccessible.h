#pragma once

class AddressBox;
class QAccessibleInterface;

// A read-only box reports read-only and not also editable, as Qt's own line
// edit does, and answers every text query itself.
QAccessibleInterface* newBoxAccessible(AddressBox* box);
