// Core and Gui are allowed in logic files.
#include <QtGui/QFont>
#include "orders/OrderEntry.h"
